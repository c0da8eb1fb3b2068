// What the output command writer's tests share: scenarios of calls with every line they must leave in
// the buffer.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "output_lines.h"

namespace commands_support {

// The lines of the output command buffer, in order.
using Lines = std::vector<std::u16string>;

// One scenario: a fresh model after S_Init, the calls, and every line they must leave in the buffer.
struct Case {
  const char* what;
  void (*run)(TJGdata&);
  Lines expected;
};

// Runs each scenario on a fresh model and expects the buffer to hold its lines and nothing more.
inline void RunCases(const std::vector<Case>& cases) {
  for (const auto& c : cases) {
    TJGdata jg;
    jg.S_Init();
    c.run(jg);
    EXPECT_EQ(OutputLines(jg), c.expected) << c.what;
    EXPECT_EQ(static_cast<size_t>(jg.t_MemN), c.expected.size()) << c.what;
  }
}

}  // namespace commands_support
