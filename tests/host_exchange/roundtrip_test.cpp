// What the writer puts into the exchange file must come back through the reader as the same
// entities with the same attributes, and a Shift_JIS file re-created by the commands must come back
// byte for byte.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "test_support.h"

namespace {

using test_support::DataDir;
using test_support::ReadBytes;
using test_support::TempDir;
using test_support::Utf8;
using test_support::WriteBytes;


// One readable line per entity, so that a difference shows which field of which entity it is.
class Describer {
 public:
  Describer() { out_.precision(15); }
  Describer& operator<<(const TJwwEntAttr& a) {
    out_ << "[ip" << a.IPNo << " lg" << a.LGrp << " ly" << a.Lay << " c" << a.Col << " lt" << a.Ltp << " w"
         << a.Wid << " z" << a.Attr << "]";
    return *this;
  }
  Describer& operator<<(const TJwwEntLine& l) {
    return *this << l.att << " crv" << l.CrvNo << " " << l.x1 << " " << l.y1 << " " << l.x2 << " " << l.y2;
  }
  Describer& operator<<(const TJwwEntText& t) {
    return *this << t.att << " no" << t.no << " cc" << t.cc << " cn" << t.cn << " " << t.mw << " " << t.mh
                 << " " << t.md << " " << t.x1 << " " << t.y1 << " " << t.x2 << " " << t.y2
                 << " fo=" << Utf8(t.fo) << " st=" << Utf8(t.st);
  }
  template <typename T>
  Describer& operator<<(const T& value) {
    out_ << value;
    return *this;
  }
  std::string str() const { return out_.str(); }

 private:
  std::ostringstream out_;
};

template <typename Solid>
void DescribeRound(Describer& d, const Solid& s) {
  d << s.att << " colour" << s.Color << " " << s.cx << " " << s.cy << " " << s.cr << " " << s.he << " "
    << s.ka << " " << s.sa << " " << s.da;
}

std::vector<std::string> Entities(const TJGdata& jg) {
  std::vector<std::string> all;
  for (int32_t i = 0; i < jg.EntN; ++i) {
    const auto no = static_cast<size_t>(jg.EntNo[static_cast<size_t>(i)].no);
    Describer d;
    switch (jg.EntNo[static_cast<size_t>(i)].kind()) {
      case EntityKind::Line:
        d << "line " << jg.EntLine[no];
        break;
      case EntityKind::Circle: {
        const auto& c = jg.EntCirc[no];
        d << "circle " << c.att << " " << c.cx << " " << c.cy << " " << c.cr;
        break;
      }
      case EntityKind::Arc: {
        const auto& a = jg.EntArc[no];
        d << "arc " << a.att << " " << a.cx << " " << a.cy << " " << a.cr << " " << a.sa << " " << a.ea << " "
          << a.he << " " << a.ka;
        break;
      }
      case EntityKind::Text:
        d << "text " << jg.EntText[no];
        break;
      case EntityKind::Point:
        d << "point " << jg.EntPnt[no].att << " " << jg.EntPnt[no].px << " " << jg.EntPnt[no].py;
        break;
      case EntityKind::Mark: {
        const auto& m = jg.EntMark[no];
        d << "mark " << m.att << " " << m.px << " " << m.py << " " << m.bai << " " << m.ang << " " << m.cod;
        break;
      }
      case EntityKind::Dimension:
        d << "dim " << jg.EntDim[no].att << " | " << jg.EntDim[no].lin << " | " << jg.EntDim[no].txt;
        break;
      case EntityKind::Solid2: {
        const auto& s = jg.EntSld2[no];
        d << "sl2 " << s.att << " colour" << s.Color << " " << s.x1 << " " << s.y1 << " " << s.x2 << " "
          << s.y2;
        break;
      }
      case EntityKind::Solid3: {
        const auto& s = jg.EntSld3[no];
        d << "sl3 " << s.att << " colour" << s.Color << " " << s.x1 << " " << s.y1 << " " << s.x2 << " "
          << s.y2 << " " << s.x3 << " " << s.y3;
        break;
      }
      case EntityKind::Solid4: {
        const auto& s = jg.EntSld4[no];
        d << "sl4 " << s.att << " colour" << s.Color << " " << s.x1 << " " << s.y1 << " " << s.x2 << " "
          << s.y2 << " " << s.x3 << " " << s.y3 << " " << s.x4 << " " << s.y4;
        break;
      }
      case EntityKind::RoundSolidC:
        d << "sc ";
        DescribeRound(d, jg.EntSldC[no]);
        d << " fl" << jg.EntSldC[no].fl;
        break;
      case EntityKind::RoundSolidE:
        d << "se ";
        DescribeRound(d, jg.EntSldE[no]);
        d << " fl" << jg.EntSldE[no].fl;
        break;
      case EntityKind::RingSolidO:
        d << "so ";
        DescribeRound(d, jg.EntSldO[no]);
        d << " ri" << jg.EntSldO[no].ri;
        break;
      case EntityKind::RingSolidG:
        d << "sg ";
        DescribeRound(d, jg.EntSldG[no]);
        d << " ri" << jg.EntSldG[no].ri;
        break;
      default:
        d << "kind " << jg.EntNo[static_cast<size_t>(i)].yn;
    }
    all.push_back(d.str());
  }
  return all;
}

TEST(RoundTrip, EveryKindOfEntityComesBackWithItsAttributes) {
  for (bool utf8 : {false, true}) {
    SCOPED_TRACE(utf8 ? "UTF-8" : "ANSI code page");
    const std::u16string text = utf8 ? u" 寸法 A\U0001F600 " : u" 寸法 A ";
    const std::string textUtf8 = Utf8(text);
    TJGdata out;
    out.MojiCode = utf8;
    out.WidF = true;
    out.S_Init();
    out.S_LGrp(2);
    out.S_Lay(11);
    out.S_Col(3, 0);
    out.S_Ltp(2, 0);
    out.S_Wid(5);
    out.S_Attr(4);
    out.S_Line(0, 0, 100, 50.25);
    out.S_Circle(10, 20, 5.5);
    out.S_Arc(10, 20, 5, 30, 120, 0.5, 15);
    out.S_PCol(6, 0);
    out.S_Ten(1, 2);
    out.S_Attr(17);
    out.S_Mark(3, 4, 2.5, 45, 5);
    out.S_Mjs(0, 2.5, 3, 0.5, 4, 0);
    out.S_Font(u"ＭＳ 明朝");
    out.S_Mbs(3);
    out.S_Attr(2);
    out.S_Text(1, 10, 1234.567, 0, 10, text);
    out.S_LGrp(10);
    out.S_Lay(0);
    out.S_Mjs(5, 0, 0, 0, 0, 0);
    out.S_Dim(0, 0, 100, 0, 50, 5, 10, 0, u"");
    out.S_SColRGB(255, 128, 0);
    out.S_Solid2(0, 0, 5, 5);
    out.S_Solid3(0, 0, 1, 0, 1, 1);
    out.S_Solid4(0, 0, 2, 0, 2, 2, 0, 2);
    out.S_SolidC(1, 2, 3, 4, 5, 6, 7, 100);
    out.S_SolidD(1, 2, 3, 4, 5, 6, 7, 0);
    out.S_SolidO(0, 0, 5, 1, 0, 0, 360, 2.5);
    out.S_SolidG(0, 0, 5, -1, 0, 0, 360, 2.5);
    out.S_Col(1, 0);
    out.S_PLineSet(0, 0, 1, 0);
    out.S_PLineSet(1, 0, 1, 1);
    out.S_PLineSet(1, 1, 0, 1);
    out.S_PLine();
    out.S_Line(7, 7, 8, 8);
    out.S_PLineReset();
    out.S_PLineSet(0, 0, 1, 0);
    out.S_PLineSet(1, 0, 1, 1);
    out.S_PLine();

    TempDir dir;
    ASSERT_TRUE(out.SaveTempFile(dir.file("JWC_TEMP.TXT")));
    TJGdata in;
    in.OpenTempFile(dir.file("JWC_TEMP.TXT"));

    EXPECT_EQ(in.MojiCode, utf8);
    const std::vector<std::string> expected = {
        "line [ip0 lg2 ly11 c3 lt2 w5 z4] crv0 0 0 100 50.25",
        "circle [ip0 lg2 ly11 c3 lt2 w5 z0] 10 20 5.5",
        "arc [ip0 lg2 ly11 c3 lt2 w5 z0] 10 20 5 30 120 0.5 15",
        "point [ip0 lg2 ly11 c6 lt2 w5 z0] 1 2",
        "mark [ip0 lg2 ly11 c6 lt2 w5 z17] 3 4 2.5 45 5",
        "text [ip0 lg2 ly11 c4 lt2 w5 z2] no1 cc3 cn0 2.5 3 0.5 10 1234.567 0 10 fo=ＭＳ 明朝 st=" + textUtf8,
        // The dimension's text takes style 5 of the reading model: its defaults, 3 x 3, gap 0, colour 2.
        "dim [ip0 lg10 ly0 c3 lt2 w5 z0] | [ip0 lg10 ly0 c3 lt2 w5 z0] crv0 0 0 100 0 | "
        "[ip0 lg10 ly0 c2 lt2 w5 z0] no2 cc3 cn5 3 3 0 50 5 10 0 fo=ＭＳ 明朝 st=100",
        "sl2 [ip0 lg10 ly0 c10 lt2 w5 z0] colour33023 0 0 5 5",
        "sl3 [ip0 lg10 ly0 c10 lt2 w5 z0] colour33023 0 0 1 0 1 1",
        "sl4 [ip0 lg10 ly0 c10 lt2 w5 z0] colour33023 0 0 2 0 2 2 0 2",
        "sc [ip0 lg10 ly0 c10 lt2 w5 z0] colour33023 1 2 3 4 5 6 7 fl100",
        "se [ip0 lg10 ly0 c10 lt2 w5 z0] colour33023 1 2 3 4 5 6 7 fl0",
        "so [ip0 lg10 ly0 c10 lt2 w5 z0] colour33023 0 0 5 1 0 0 360 ri2.5",
        "sg [ip0 lg10 ly0 c10 lt2 w5 z0] colour33023 0 0 5 -1 0 0 360 ri2.5",
        "line [ip0 lg10 ly0 c1 lt2 w5 z0] crv1 0 0 1 0",
        "line [ip0 lg10 ly0 c1 lt2 w5 z0] crv1 1 0 1 1",
        "line [ip0 lg10 ly0 c1 lt2 w5 z0] crv1 1 1 0 1",
        "line [ip0 lg10 ly0 c1 lt2 w5 z0] crv0 7 7 8 8",
        "line [ip0 lg10 ly0 c1 lt2 w5 z0] crv2 0 0 1 0",
        "line [ip0 lg10 ly0 c1 lt2 w5 z0] crv2 1 0 1 1",
    };
    EXPECT_EQ(Entities(in), expected);

    // The first attribute of each kind is what the host would take as its current setting.
    EXPECT_EQ(in.CurLGrp, 2);
    EXPECT_EQ(in.CurLay, 11);
    EXPECT_EQ(in.CurCol, 3);
    EXPECT_EQ(in.CurLtp, 2);
    EXPECT_EQ(in.CurWid, 5);
    EXPECT_TRUE(in.WidF);
    EXPECT_EQ(in.CurMjs, 0);
    EXPECT_EQ(in.CurMjsW, 2.5);
    EXPECT_EQ(in.CurMjsH, 3.0);
    EXPECT_EQ(in.CurMjsD, 0.5);
    EXPECT_EQ(in.CurMjsC, 4);
    EXPECT_EQ(in.CurFont, u"ＭＳ 明朝");
  }
}

// Writes an entity of the model back through the commands: attributes first (written only on
// change), then the entity, as a tool that edits a selection would.
void Emit(const TJGdata& in, TJGdata& out, const TJwwEntAttr& att) {
  int32_t before = out.t_MemN;
  out.S_LGrp(att.LGrp);
  const auto& groupName = in.LGrpName[static_cast<size_t>(att.LGrp)];
  if (out.t_MemN != before && !groupName.empty()) out.SendMem(u"lgn" + groupName);
  before = out.t_MemN;
  out.S_Lay(att.Lay);
  const auto& layerName = in.LayName[static_cast<size_t>(att.LGrp * 16 + att.Lay)];
  if (out.t_MemN != before && !layerName.empty()) out.SendMem(u"lyn" + layerName);
}

void EmitSelection(const TJGdata& in, TJGdata& out) {
  for (int32_t i = 0; i < in.EntN; ++i) {
    const auto& entry = in.EntNo[static_cast<size_t>(i)];
    const auto no = static_cast<size_t>(entry.no);
    if (entry.kind() == EntityKind::Line) {
      const auto& l = in.EntLine[no];
      Emit(in, out, l.att);
      out.S_Col(l.att.Col, 0);
      out.S_Ltp(l.att.Ltp, 0);
      out.S_Attr(l.att.Attr);
      out.S_Line(l.x1, l.y1, l.x2, l.y2);
    } else if (entry.kind() == EntityKind::Text) {
      const auto& t = in.EntText[no];
      Emit(in, out, t.att);
      out.S_Mjs(t.cn, t.mw, t.mh, t.md, t.att.Col, 0);
      out.S_Font(t.fo);
      out.S_Mbs(t.cc);
      out.S_Attr(t.att.Attr);
      out.S_Text(t.no, t.x1, t.y1, t.x2, t.y2, t.st);
    } else if (entry.kind() == EntityKind::Dimension) {
      const auto& d = in.EntDim[no];
      Emit(in, out, d.att);
      out.S_Col(d.lin.att.Col, 0);
      out.S_Ltp(d.lin.att.Ltp, 0);
      out.S_Mjs(d.txt.cn, d.txt.mw, d.txt.mh, d.txt.md, d.txt.att.Col, 0);
      out.S_Font(d.txt.fo);
      out.S_Mbs(d.txt.cc);
      out.S_Dim(d.lin.x1, d.lin.y1, d.lin.x2, d.lin.y2, d.txt.x1, d.txt.y1, d.txt.x2, d.txt.y2, d.txt.st);
    }
  }
}

TEST(RoundTrip, ShiftJisFileComesBackByteForByte) {
  // Japanese layer names, font and texts, including characters whose second Shift_JIS byte is the
  // backslash (表, ソ, 能), which a careless conversion would take for a path separator.
  const std::string file =
      "lg1\r\n"
      "lgn\x8a\xee\x96{\x90}\r\n"
      "ly2\r\n"
      "lyn\x95\\\x83\\\x94\\\r\n"
      "lc3\r\n"
      "lt1\r\n"
      "z3\r\n"
      "0 0 100 0.5\r\n"
      "cn0 2.5 2.5 0.5 3\r\n"
      "cn\"$\x82l\x82r \x96\xbe\x92\xa9\r\n"
      "cc1\r\n"
      "ch 0 0 10 0 \"\x90\xa1\x96@\x95\\\x8e\xa6 A\r\n"
      "cn2\r\n"
      "msg\r\n"
      "0 0 100 0\r\n"
      "cs 50 5 10 0 \"\x82P\x82O\x82O\r\n";
  TempDir dir;
  WriteBytes(dir.path() / "JWC_TEMP.TXT", file);
  TJGdata in;
  in.OpenTempFile(dir.file("JWC_TEMP.TXT"));
  ASSERT_FALSE(in.MojiCode);
  ASSERT_EQ(in.EntN, 3);
  EXPECT_EQ(in.LayName[18], u"表ソ能");
  EXPECT_EQ(in.EntText[0].st, u"寸法表示 A");

  TJGdata out;
  out.MojiCode = in.MojiCode;
  out.S_Init();
  EmitSelection(in, out);
  ASSERT_TRUE(out.SaveTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_EQ(ReadBytes(dir.path() / "JWC_TEMP.TXT"), file);
}

TEST(RoundTrip, TheHostsCurrentAttributesAreWrittenAsTheHostWroteThem) {
  // The host's own file: its attribute lines, the Shift_JIS font name included, are exactly what the
  // commands write for the current settings read from it.
  const std::string host = ReadBytes(DataDir() / "host_one_line_selection.txt");
  const auto from = host.find("lg0\r\n");
  const auto to = host.find("#\r\n");
  ASSERT_NE(from, std::string::npos);
  ASSERT_NE(to, std::string::npos);

  TJGdata in;
  in.OpenTempFile((DataDir() / "host_one_line_selection.txt").u16string());
  ASSERT_FALSE(in.MojiCode);
  TJGdata out;
  out.S_Init();
  out.S_LGrp(in.CurLGrp);
  out.S_Lay(in.CurLay);
  out.S_Col(in.CurCol, 0);
  out.S_Ltp(in.CurLtp, 0);
  out.S_Mjs(in.CurMjs, in.CurMjsW, in.CurMjsH, in.CurMjsD, in.CurMjsC, 0);
  out.S_Font(in.CurFont);
  TempDir dir;
  ASSERT_TRUE(out.SaveTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_EQ(ReadBytes(dir.path() / "JWC_TEMP.TXT"), host.substr(from, to - from));
}

// Entities added to a model are indistinguishable from read ones: handed back with S_EntAllp,
// written and read again, they are the same entities, polylines and given attributes included.
TEST(RoundTrip, InsertedEntitiesComeBackThroughReemission) {
  TJGdata added;
  added.WidF = true;  // widths travel only in a file that carries them
  added.A_LGrp(2);
  added.A_Lay(11);
  added.A_Col(3, 0);
  added.A_Ltp(2, 0);
  added.A_Wid(5);
  added.A_Attr(4);
  added.A_Line(0, 0, 100, 50.25);
  added.A_Attr(0);
  added.A_Circle(10, 20, 5.5);
  added.A_Arc(10, 20, 5, 30, 120, 0.5, 15);
  added.A_PCol(6, 0);
  added.A_Ten(1, 2);
  added.A_Mark(3, 4, 2.5, 45, 5);
  added.A_Mjs(0, 2.5, 3, 0.5, 4, 0);
  added.A_Font(u"ＭＳ 明朝");
  added.A_Mbs(3);
  added.A_Text(1, 10, 1234.567, 0, 10, u" 寸法 A ");
  // Given attributes, limited to what a file carries for the kind: a text has no line type or width
  // of its own, and its colour travels with a free style only; a solid has no line type either.
  added.A_Text(TJwwEntAttr{0, 9, 1, 7, 2, 5, 2}, 0, 5, 5, 1, 0, u"given");
  added.A_Mjs(5, 0, 0, 0, 0, 0);
  added.A_Dim(0, 0, 100, 0, 50, 5, 10, 0, u"");
  added.A_Col(10, 0);
  added.A_SColRGB(255, 128, 0);
  added.A_Solid2(0, 0, 5, 5);
  added.A_Solid3(0, 0, 1, 0, 1, 1);
  added.A_Solid4(TJwwEntAttr{0, 4, 5, 10, 2, 5, 0}, 0, 0, 0, 0, 2, 0, 2, 2);  // a triangle
  added.A_Solid4(0, 0, 2, 0, 2, 2, 0, 2);
  added.A_SolidC(1, 2, 3, 4, 5, 6, 7, 100);
  added.A_SolidD(1, 2, 3, 4, 5, 6, 7, 0);
  added.A_SolidO(0, 0, 5, 1, 0, 0, 360, 2.5);
  added.A_SolidG(0, 0, 5, -1, 0, 0, 360, 2.5);
  // Two polylines, their lines added last so that they come back in the same order; the second has
  // given attributes. (Attributes that change inside a polyline would end it on reading.)
  added.A_Col(1, 0);
  added.A_Line(0, 0, 1, 0);
  added.A_Line(1, 0, 1, 1);
  added.A_Line(1, 1, 0, 1);
  const TJwwEntAttr given{0, 2, 11, 5, 2, 5, 0};
  added.A_Line(given, 7, 7, 8, 8);
  added.A_Line(given, 7, 8, 9, 9);
  for (size_t i = 1; i <= 5; ++i) added.EntLine[i].CrvNo = i <= 3 ? 1 : 2;
  ASSERT_EQ(added.EntLineN, 6);

  added.S_Init();
  added.S_EntAllp(-1, -1, -1, -1, -1, -1, -1, -1);
  TempDir dir;
  ASSERT_TRUE(added.SaveTempFile(dir.file("JWC_TEMP.TXT")));
  TJGdata back;
  ASSERT_TRUE(back.OpenTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_EQ(Entities(back), Entities(added));
}

}  // namespace
