// The writing state that S_Init leaves, and DataInit through it: one check for the model's and the
// writer's tests alike.
#pragma once

#include <gtest/gtest.h>

#include "JwwGaibu.h"

// Every "write the next one whatever it is" flag set, and the working attributes at the host's defaults.
inline void ExpectInitialWritingState(const TJGdata& jg) {
  for (bool flag : {jg.w_FlgLGrp, jg.w_FlgLay, jg.w_FlgCol, jg.w_FlgLtp, jg.w_FlgWid, jg.w_FlgMjs,
                    jg.w_FlgMbs, jg.w_FlgFont, jg.w_FlgPCol, jg.w_FlgSCol}) {
    EXPECT_TRUE(flag);
  }
  EXPECT_EQ(jg.w_LGrp, 0);
  EXPECT_EQ(jg.w_Lay, 0);
  EXPECT_EQ(jg.w_Col, 1);
  EXPECT_EQ(jg.w_Ltp, 1);
  EXPECT_EQ(jg.w_Wid, 0);
  EXPECT_EQ(jg.w_Mjs, 1);
  EXPECT_EQ(jg.w_MjsW, 2.0);
  EXPECT_EQ(jg.w_MjsH, 2.0);
  EXPECT_EQ(jg.w_MjsD, 0.0);
  EXPECT_EQ(jg.w_MjsC, 1);
  EXPECT_EQ(jg.w_Mbs, 0);
  // Full-width MS, a half-width blank, full-width gothic, in angle brackets.
  EXPECT_TRUE(jg.w_Font == u"<\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF>");
  EXPECT_EQ(jg.w_PtCol, 1);
  EXPECT_EQ(jg.w_SlCol, 0);
}
