// The drawing model's defaults, its entity tables' block growth and the attribute stamping that every
// filler relies on.
#include <gtest/gtest.h>

#include <string>

#include "JwwGaibu.h"
#include "writing_state.h"

namespace {

TEST(ModelDefaults, ConstructorAppliesDataInit) {
  const TJGdata jg;
  EXPECT_FALSE(jg.MojiCode);
  EXPECT_EQ(jg.Jikukaku, 0.0);
  EXPECT_TRUE(jg.ZumenFile.empty());
  for (int j = 0; j < 16; ++j) EXPECT_EQ(jg.LGrpScale[j], 1.0) << "group " << j;
  EXPECT_EQ(jg.ZumenXsize, 1189.0);
  EXPECT_EQ(jg.ZumenYsize, 841.0);
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(jg.Mojisyu[k].W, 3.0) << "style " << k;
    EXPECT_EQ(jg.Mojisyu[k].H, 3.0) << "style " << k;
    EXPECT_EQ(jg.Mojisyu[k].D, 0.0) << "style " << k;
    EXPECT_EQ(jg.Mojisyu[k].C, 2) << "style " << k;
  }
  for (int32_t v : jg.RGB) EXPECT_EQ(v, 0);
  EXPECT_FALSE(jg.Zusun);
  EXPECT_EQ(jg.AreaX1, 0.0);
  EXPECT_EQ(jg.AreaY2, 0.0);

  EXPECT_EQ(jg.CurLGrp, 0);
  EXPECT_EQ(jg.CurLay, 0);
  EXPECT_EQ(jg.CurCol, 1);
  EXPECT_EQ(jg.CurLtp, 1);
  EXPECT_EQ(jg.CurWid, 0);
  EXPECT_EQ(jg.CurMjs, 1);
  EXPECT_EQ(jg.CurMjsW, 2.0);
  EXPECT_EQ(jg.CurMjsH, 2.0);
  EXPECT_EQ(jg.CurMjsD, 0.0);
  EXPECT_EQ(jg.CurMjsC, 1);
  EXPECT_TRUE(jg.CurFont.empty());

  ASSERT_EQ(jg.LGrpStat.size(), 16u);
  ASSERT_EQ(jg.LGrpName.size(), 16u);
  ASSERT_EQ(jg.LayStat.size(), 256u);
  ASSERT_EQ(jg.LayName.size(), 256u);
  ASSERT_EQ(jg.IPoints.size(), 100u);
  for (const auto& p : jg.IPoints) {
    EXPECT_FALSE(p.flg);
    EXPECT_EQ(p.x, 0.0);
    EXPECT_EQ(p.y, 0.0);
    EXPECT_EQ(p.sta, 0);
  }
  EXPECT_EQ(jg.IPointN, 0);
  EXPECT_FALSE(jg.WidF);

  ExpectInitialWritingState(jg);
  EXPECT_EQ(jg.w_IPNo, 0);
  EXPECT_EQ(jg.w_Attr, 0);
  EXPECT_EQ(jg.w_CrvNo, 0);
  EXPECT_FALSE(jg.w_CrvFl);
  EXPECT_FALSE(jg.w_DimFl);
  EXPECT_EQ(jg.w_PtCol, 1);
  EXPECT_EQ(jg.w_SlCol, 0);

  const TJwwEntLine& held = jg.EntSunLine;
  EXPECT_EQ(held.att.Col, 1);
  EXPECT_EQ(held.att.Ltp, 1);
  EXPECT_EQ(held.att.IPNo + held.att.LGrp + held.att.Lay + held.att.Wid + held.att.Attr, 0);
  EXPECT_EQ(held.CrvNo, 0);
  EXPECT_EQ(held.x1, 0.0);
  EXPECT_EQ(held.y1, 0.0);
  EXPECT_EQ(held.x2, 1.0);
  EXPECT_EQ(held.y2, 0.0);

  EXPECT_EQ(jg.EntN, 0);
  EXPECT_TRUE(jg.EntNo.empty());
  EXPECT_EQ(jg.EntLineN + jg.EntCircN + jg.EntArcN + jg.EntTextN + jg.EntPntN + jg.EntMarkN + jg.EntDimN +
                jg.EntBlkN + jg.EntSld2N + jg.EntSld3N + jg.EntSld4N + jg.EntSldCN + jg.EntSldEN + jg.EntSldON +
                jg.EntSldGN,
            0);
  EXPECT_TRUE(jg.EntLine.empty());
  EXPECT_TRUE(jg.EntText.empty());
  EXPECT_EQ(jg.t_MemN, 0);
  EXPECT_TRUE(jg.t_Mem.empty());
  EXPECT_EQ(jg.t_PLineN, 0);
  EXPECT_TRUE(jg.t_PLine.empty());
  EXPECT_EQ(jg.aCol, 0);
  EXPECT_EQ(jg.aSCol, 0);
}

// A scratch model takes the host's settings, working state and indicated points, and keeps its own
// tables and output.
TEST(ModelSettings, CopySettingsFromTakesTheSettingsAndKeepsTheTables) {
  TJGdata host;
  host.ReadTempText(u"file=C:\\d.jww\nhk 30\nhzs 420 297\nhcw 1 2 3 4 5 6 7 8 9 10\nlg3 7\nly4 2\nlc5\n"
                    u"cn0 2.5 3.5 0.5 6\nhp1 10 20\nhp4ln 40 50\nbz\n0 0 1 1\n");
  TJGdata scratch;
  scratch.A_Circle(0, 0, 5);
  scratch.SendMem(u"kept");

  scratch.CopySettingsFrom(host);

  EXPECT_TRUE(scratch.ZumenFile == u"C:\\d.jww");
  EXPECT_EQ(scratch.Jikukaku, 30.0);
  EXPECT_EQ(scratch.ZumenXsize, 420.0);
  EXPECT_EQ(scratch.Mojisyu[10].W, 10.0);
  EXPECT_TRUE(scratch.Zusun);
  EXPECT_EQ(scratch.CurLGrp, 3);
  EXPECT_EQ(scratch.CurLay, 4);
  EXPECT_EQ(scratch.CurCol, 5);
  EXPECT_EQ(scratch.CurMjs, 0);
  EXPECT_EQ(scratch.CurMjsC, 6);
  EXPECT_FALSE(scratch.w_FlgCol);
  EXPECT_EQ(scratch.w_Col, 5);
  EXPECT_EQ(scratch.w_MjsW, 2.5);
  EXPECT_EQ(scratch.IPointN, 2);
  EXPECT_EQ(scratch.IPoints[4].sta, 2);
  EXPECT_EQ(scratch.IPoints[4].y, 50.0);
  // Its own: tables, entities and output.
  EXPECT_EQ(scratch.LGrpStat[3], 0);
  EXPECT_EQ(scratch.LayStat[3 * 16 + 4], 0);
  EXPECT_EQ(scratch.EntN, 1);
  EXPECT_EQ(scratch.EntCircN, 1);
  EXPECT_EQ(scratch.EntLineN, 0);
  EXPECT_EQ(scratch.t_MemN, 1);
}

// Block growth: the tables grow by 1000 entries at the counts 1, 1001, 2001 ..., keeping their entries.
TEST(ModelGrowth, EntityTablesGrowInBlocksOfAThousandAndKeepTheirEntries) {
  TJGdata jg;
  struct Case {
    int lines;
    size_t length;
  };
  const Case cases[] = {{1, 1000}, {999, 1000}, {1000, 1000}, {1001, 2000}, {2000, 2000}, {2001, 3000}};
  int added = 0;
  for (const Case& c : cases) {
    for (; added < c.lines; ++added) {
      jg.ReadTempLine(u"0 0 0 0");
      jg.EntLine[static_cast<size_t>(added)].x1 = added;  // a mark to find after the growth
    }
    EXPECT_EQ(jg.EntLineN, c.lines);
    EXPECT_EQ(jg.EntN, c.lines);
    EXPECT_EQ(jg.EntLine.size(), c.length) << "after " << c.lines << " lines";
    EXPECT_EQ(jg.EntNo.size(), c.length) << "after " << c.lines << " lines";
  }
  for (int i = 0; i < added; ++i) {
    ASSERT_EQ(jg.EntLine[static_cast<size_t>(i)].x1, i) << "line " << i;
    ASSERT_EQ(jg.EntNo[static_cast<size_t>(i)].yn, 1);
    ASSERT_EQ(jg.EntNo[static_cast<size_t>(i)].no, i);
  }
  // The slots past the count are new, zero entries.
  EXPECT_EQ(jg.EntLine[static_cast<size_t>(added)].x1, 0.0);
  EXPECT_EQ(jg.EntNo[static_cast<size_t>(added)].yn, 0);
}

TEST(ModelGrowth, SetEntNoAppendsKindAndIndex) {
  TJGdata jg;
  jg.SetEntNo(4, 0);
  jg.SetEntNo(1, 7);
  ASSERT_EQ(jg.EntN, 2);
  EXPECT_EQ(jg.EntNo.size(), 1000u);
  EXPECT_EQ(jg.EntNo[0].yn, 4);
  EXPECT_EQ(jg.EntNo[0].no, 0);
  EXPECT_EQ(jg.EntNo[1].yn, 1);
  EXPECT_EQ(jg.EntNo[1].no, 7);
}

// Counts are public fields; a count that disagrees with its table must not let a write go past the end.
TEST(ModelGrowth, CountsSetFromOutsideDoNotOverrunTheTables) {
  TJGdata jg;
  jg.EntN = 1500;       // table still empty
  jg.EntLineN = 2500;   // table still empty
  jg.ReadTempLine(u"1 2 3 4");
  ASSERT_EQ(jg.EntN, 1501);
  ASSERT_GE(jg.EntNo.size(), 1501u);
  EXPECT_EQ(jg.EntNo[1500].no, 2500);
  ASSERT_EQ(jg.EntLineN, 2501);
  ASSERT_GE(jg.EntLine.size(), 2501u);
  EXPECT_EQ(jg.EntLine[2500].y2, 4.0);

  TJGdata negative;
  negative.EntN = -3;
  negative.EntCircN = -8;
  negative.ReadTempLine(u"ci 1 2 3");
  EXPECT_EQ(negative.EntN, 1);
  EXPECT_EQ(negative.EntCircN, 1);
  EXPECT_EQ(negative.EntCirc[0].cr, 3.0);
}

// Attribute stamping.
TEST(ModelAttributes, SetEntAttrCopiesTheWorkingAttributes) {
  TJGdata jg;
  jg.ReadTempLine(u"z2");
  jg.ReadTempLine(u"hhp7");
  jg.w_LGrp = 3;
  jg.w_Lay = 12;
  jg.w_Col = 5;
  jg.w_Ltp = 2;
  jg.w_Wid = 4;
  TJwwEntAttr at;
  jg.SetEntAttr(at);
  EXPECT_EQ(at.IPNo, 7);
  EXPECT_EQ(at.Attr, 2);
  EXPECT_EQ(at.LGrp, 3);
  EXPECT_EQ(at.Lay, 12);
  EXPECT_EQ(at.Col, 5);
  EXPECT_EQ(at.Ltp, 2);
  EXPECT_EQ(at.Wid, 4);
  // Stamping does not consume the per-entity state; the reader resets it after the entity.
  EXPECT_EQ(jg.w_IPNo, 7);
  EXPECT_EQ(jg.w_Attr, 2);
}

TEST(ModelAttributes, CopyEntAttrCopiesAllSevenFields) {
  const TJwwEntAttr source{11, 12, 13, 14, 15, 16, 17};
  TJwwEntAttr target;
  TJGdata::CopyEntAttr(target, source);
  EXPECT_EQ(target.IPNo, 11);
  EXPECT_EQ(target.LGrp, 12);
  EXPECT_EQ(target.Lay, 13);
  EXPECT_EQ(target.Col, 14);
  EXPECT_EQ(target.Ltp, 15);
  EXPECT_EQ(target.Wid, 16);
  EXPECT_EQ(target.Attr, 17);
}

TEST(ModelAttributes, AnEntityKeepsItsOwnCopyOfTheAttributes) {
  TJGdata jg;
  jg.ReadTempLine(u"lc4");
  jg.ReadTempLine(u"0 0 1 1");
  jg.ReadTempLine(u"lc6");
  EXPECT_EQ(jg.EntLine[0].att.Col, 4);
}

TEST(ModelLifecycle, DataFreeReleasesTheTablesAndLeavesTheCounts) {
  TJGdata jg;
  jg.ReadTempLine(u"0 0 1 1");
  jg.ReadTempLine(u"ci 0 0 1");
  jg.DataFree();
  EXPECT_TRUE(jg.EntLine.empty());
  EXPECT_TRUE(jg.EntCirc.empty());
  EXPECT_TRUE(jg.EntNo.empty());
  EXPECT_TRUE(jg.IPoints.empty());
  EXPECT_TRUE(jg.LayName.empty());
  EXPECT_EQ(jg.EntLineN, 1);
  EXPECT_EQ(jg.EntN, 2);
}

}  // namespace
