// A program's command line as Jw_cad's batch files pass it: options after the program's name, each one
// of the program's own table of names.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

struct ParsedCommandLine {
  // For each name of the option table, in its order: whether the option was given.
  std::vector<bool> given;
  // The first argument that is no option of the program, as given; empty when every argument is one.
  std::u16string unknown;

  bool Ok() const { return unknown.empty(); }
  // Whether the option at `index` of the table was given; false for an index past the table.
  bool Given(size_t index) const { return index < given.size() && given[index]; }
};

// Reads the arguments after the program's name against `optionNames`, the names without their mark in
// lower-case ASCII. Options begin with "/" or "-" and are matched without regard to ASCII case; arguments
// are separated by blanks or tabs, and double quotes group and are dropped. Reading stops at the first
// argument that is no option, keeping the options before it; an empty argument ("") is named as the two
// quotes it was typed as.
ParsedCommandLine ParseCommandLine(const std::u16string& arguments,
                                   std::span<const std::u16string_view> optionNames);

// The message for an argument that is no option: it names the argument and the accepted options, each
// with its "/", or says that the program takes none. The argument is quoted up to 64 units, a longer one
// cut there with "…", and characters that break lines or turn the text's direction shown as "?".
std::u16string UnknownOptionMessage(const std::u16string& argument,
                                    std::span<const std::u16string_view> optionNames);
