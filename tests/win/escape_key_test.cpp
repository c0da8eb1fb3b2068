// The Escape key as the re-emission samples it on Windows: the state of the key at the moment of the
// call, held down through real keyboard input, and a selection handed back while it is held.
#include <gtest/gtest.h>

#include <windows.h>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "program_driver.h"

namespace {

// Releases the key whatever the test does, so that no later dialog sees Escape held.
class HeldEscape {
 public:
  HeldEscape() { e2e::HoldKey(VK_ESCAPE); }
  ~HeldEscape() { e2e::ReleaseKey(VK_ESCAPE); }
  HeldEscape(const HeldEscape&) = delete;
  HeldEscape& operator=(const HeldEscape&) = delete;
};

// Two lines on layer group 3 and a polyline, the host's current group being 0.
TJGdata Selection() {
  TJGdata jg;
  jg.A_LGrp(3);
  jg.A_Line(0, 0, 1, 0);
  jg.A_Line(0, 1, 1, 1);
  jg.A_Line(1, 1, 2, 2);
  jg.EntLine[2].CrvNo = 1;
  jg.S_Init();
  return jg;
}

TEST(EscapeKey, IsDownOnlyWhileItIsHeld) {
  EXPECT_FALSE(EscapeKeyDown());
  {
    HeldEscape held;
    EXPECT_TRUE(e2e::WaitUntil([] { return EscapeKeyDown(); }));
  }
  EXPECT_TRUE(e2e::WaitUntil([] { return !EscapeKeyDown(); }));
}

TEST(EscapeKey, HeldWhileASelectionIsHandedBackWritesOnlyTheHostsLayer) {
  {
    TJGdata jg = Selection();
    jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
    EXPECT_EQ(jg.t_MemN, 11) << "without Escape: lg, ly, lc, lt, two lines, pl, a line, #, lg, ly";
  }
  for (const bool polylines : {false, true}) {
    HeldEscape held;
    ASSERT_TRUE(e2e::WaitUntil([] { return EscapeKeyDown(); }));
    TJGdata jg = Selection();
    if (polylines) {
      jg.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
    } else {
      jg.S_EntAll(-1, -1, -1, -1, -1, -1, -1, -1);
    }
    // Aborted before the first entity: only the host's layer group and layer, as after S_Init.
    ASSERT_EQ(jg.t_MemN, 2) << (polylines ? "S_EntAllp" : "S_EntAll");
    EXPECT_EQ(jg.t_Mem[0], u"lg0");
    EXPECT_EQ(jg.t_Mem[1], u"ly0");
  }
}

}  // namespace
