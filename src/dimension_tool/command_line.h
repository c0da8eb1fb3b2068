// The options the program takes after its name, as Jw_cad's batch files pass them.
#pragma once

#include <string>

#include "orientation.h"

struct RunOptions {
  Orientation orientation = Orientation::Vertical;  // "/horizontal"
  bool quick = false;                               // "/quick": draw with the stored settings, no dialog
};

struct ParsedCommandLine {
  RunOptions options;
  // The first argument that is no option of the program, as given; empty when every argument is one.
  std::u16string unknown;

  bool Ok() const { return unknown.empty(); }
};

// Reads the arguments after the program's name: options begin with "/" or "-" and are matched without
// regard to case; arguments are separated by blanks or tabs, and double quotes group and are dropped.
ParsedCommandLine ParseCommandLine(const std::u16string& arguments);

// The message for an argument that is no option: it names the argument and the accepted options.
std::u16string UnknownOptionMessage(const std::u16string& argument);
