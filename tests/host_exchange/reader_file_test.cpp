// Whole exchange files: the host's own file, each encoding the host writes, large files read a piece at
// a time, and files that cannot be read.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "JwwGaibu.h"
#include "MyFunc.h"
#include "platform.h"
#include "reader_support.h"
#include "test_support.h"

namespace {

using reader_support::Kinds;
using test_support::TempDir;
using test_support::Utf8;
using test_support::WriteBytes;

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// ---------------------------------------------------------------------------------------------------
// Whole files.

// The file as Jw_cad wrote it for a one-line selection (Shift_JIS, CR LF).
TEST(ReaderFile, RealHostFileOfOneLineSelection) {
  TJGdata jg;
  const auto path = (test_support::DataDir() / "host_one_line_selection.txt").u16string();
  EXPECT_TRUE(jg.OpenTempFile(path));
  EXPECT_FALSE(jg.MojiCode);
  EXPECT_TRUE(jg.ZumenFile.empty());
  EXPECT_EQ(jg.Jikukaku, 0.0);
  for (int j = 0; j < 16; ++j) EXPECT_EQ(jg.LGrpScale[j], 100.0) << j;
  const double widths[] = {2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10};
  const double gaps[] = {0, 0, 0.5, 0.5, 0.5, 0.5, 1, 1, 1, 1};
  const int32_t colours[] = {1, 1, 2, 2, 3, 3, 4, 4, 5, 5};
  for (int k = 1; k <= 10; ++k) {
    EXPECT_EQ(jg.Mojisyu[k].W, widths[k - 1]) << k;
    EXPECT_EQ(jg.Mojisyu[k].H, widths[k - 1]) << k;
    EXPECT_EQ(jg.Mojisyu[k].D, gaps[k - 1]) << k;
    EXPECT_EQ(jg.Mojisyu[k].C, colours[k - 1]) << k;
  }
  EXPECT_EQ(jg.AreaX1, 7306.10278372591);
  EXPECT_EQ(jg.AreaY1, -2989.07922912206);
  EXPECT_EQ(jg.AreaX2, 7306.10278372591);
  EXPECT_EQ(jg.AreaY2, -2989.07922912206);
  EXPECT_EQ(jg.CurLGrp, 0);
  EXPECT_EQ(jg.CurLay, 0);
  EXPECT_EQ(jg.CurCol, 2);
  EXPECT_EQ(jg.CurLtp, 1);
  EXPECT_EQ(jg.CurMjs, 2);
  // The quote between "cn" and "$" keeps the blank inside the name.
  EXPECT_EQ(Utf8(jg.CurFont), Utf8(u"<\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF>"));
  EXPECT_EQ(Utf8(jg.w_Font), Utf8(jg.CurFont));
  EXPECT_EQ(jg.IPointN, 0);
  ASSERT_EQ(Kinds(jg), std::vector<int32_t>({1}));
  const TJwwEntLine& line = jg.EntLine[0];
  EXPECT_EQ(line.x1, -5000.0);
  EXPECT_EQ(line.y1, 0.0);
  EXPECT_EQ(line.x2, 5000.0);
  EXPECT_EQ(line.y2, 0.0);
  EXPECT_EQ(line.att.Col, 2);
  EXPECT_EQ(line.att.Ltp, 1);
  EXPECT_EQ(line.CrvNo, 0);
}

// Japanese texts, fonts and layer names in the ANSI code page (Shift_JIS), as bytes. "表" and "ソ"
// have 0x5C (a backslash in ASCII) as their second byte; half-width katakana are single bytes.
TEST(ReaderFile, ShiftJisFileReadsIntoTheRightTexts) {
  TempDir dir;
  const std::string bytes =
      "lg1\r\n"
      "lgn\x95\xBD\x96\xCA\x90\x7D\r\n"                     // 平面図
      "ly2\r\n"
      "lyn\x95\xC7\x20\x83\x5C\x83\x74\x83\x40\r\n"         // 壁 ソファ
      "cn\"$\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9\r\n"       // ＭＳ 明朝
      "ch 1 2 1 0 \"\x90\xA1\x96\x40\x95\x5C\x8E\xA6\r\n"   // 寸法表示
      "cs 0 0 1 0 \"\xB6\xDE\xBD\x8A\xC7\r\n"               // ｶﾞｽ管
      "BL 0 0 \x83\x5C\x83\x74\x83\x40\r\n";                // ソファ
  WriteBytes(dir.path() / "JWC_TEMP.TXT", bytes);
  TJGdata jg;
  EXPECT_TRUE(jg.OpenTempFile(dir.file("JWC_TEMP.TXT")));
  EXPECT_FALSE(jg.MojiCode);
  EXPECT_EQ(Utf8(jg.LGrpName[1]), Utf8(u"\u5E73\u9762\u56F3"));
  EXPECT_EQ(Utf8(jg.LayName[1 * 16 + 2]), Utf8(u"\u58C1 \u30BD\u30D5\u30A1"));
  EXPECT_EQ(Utf8(jg.CurFont), Utf8(u"\uFF2D\uFF33 \u660E\u671D"));
  ASSERT_EQ(jg.EntTextN, 2);
  EXPECT_EQ(Utf8(jg.EntText[0].st), Utf8(u"\u5BF8\u6CD5\u8868\u793A"));
  EXPECT_EQ(Utf8(jg.EntText[0].fo), Utf8(u"\uFF2D\uFF33 \u660E\u671D"));
  EXPECT_EQ(Utf8(jg.EntText[1].st), Utf8(u"\uFF76\uFF9E\uFF7D\u7BA1"));
  ASSERT_EQ(jg.EntBlkN, 1);
  EXPECT_EQ(Utf8(jg.EntBlk[0].nam), Utf8(u"\u30BD\u30D5\u30A1"));
}

TEST(ReaderFile, EncodingFollowsTheByteOrderMark) {
  struct Case {
    const char* what;
    std::string bytes;
    bool mojiCode;
    int32_t lines;
  };
  const Case cases[] = {
      {"UTF-8 with mark", "\xEF\xBB\xBF" "ch 0 0 1 0 \"\xE5\xAF\xB8\r\n0 0 1 1\r\n", true, 1},
      {"UTF-8 mark only", "\xEF\xBB\xBF", true, 0},
      {"ANSI, no mark", "ch 0 0 1 0 \"\x90\xA1\r\n0 0 1 1\r\n", false, 1},
      {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(u"ch 0 0 1 0 \"\u5BF8\r\n0 0 1 1", false), false, 1},
      {"UTF-16 BE", "\xFE\xFF" + Utf16Bytes(u"ch 0 0 1 0 \"\u5BF8\n0 0 1 1\r\n", true), false, 1},
      {"UTF-16 LE mark only", "\xFF\xFE", false, 0},
      {"empty", "", false, 0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.path() / "JWC_TEMP.TXT", c.bytes);
    TJGdata jg;
    EXPECT_TRUE(jg.OpenTempFile(dir.file("JWC_TEMP.TXT"))) << c.what;
    EXPECT_EQ(jg.MojiCode, c.mojiCode) << c.what;
    EXPECT_EQ(jg.EntLineN, c.lines) << c.what;
    if (c.lines == 0) {
      EXPECT_EQ(jg.EntN, 0) << c.what;
      continue;
    }
    ASSERT_EQ(jg.EntTextN, 1) << c.what;
    EXPECT_EQ(Utf8(jg.EntText[0].st), Utf8(u"\u5BF8")) << c.what;
  }
}

// What a read leaves in the model, as one text: every entity in EntNo order with its fields, the
// indicated points and the working state.
std::string Described(const TJGdata& jg) {
  std::u16string out;
  auto add = [&](double value) { out += FloatToText(value) + u' '; };
  auto attr = [&](const TJwwEntAttr& at) {
    for (int32_t v : {at.IPNo, at.LGrp, at.Lay, at.Col, at.Ltp, at.Wid, at.Attr}) add(v);
  };
  for (int32_t i = 0; i < jg.EntN; ++i) {
    const TJwwEntNo& e = jg.EntNo[static_cast<size_t>(i)];
    const auto no = static_cast<size_t>(e.no);
    out += u"\n" + IntToText(e.yn) + u": ";
    switch (e.kind()) {
      case EntityKind::Line:
        attr(jg.EntLine[no].att);
        for (double v : {jg.EntLine[no].x1, jg.EntLine[no].y1, jg.EntLine[no].x2, jg.EntLine[no].y2}) add(v);
        add(jg.EntLine[no].CrvNo);
        break;
      case EntityKind::Circle:
        attr(jg.EntCirc[no].att);
        for (double v : {jg.EntCirc[no].cx, jg.EntCirc[no].cy, jg.EntCirc[no].cr}) add(v);
        break;
      case EntityKind::Text:
        attr(jg.EntText[no].att);
        for (double v : {jg.EntText[no].x1, jg.EntText[no].y1, jg.EntText[no].x2, jg.EntText[no].y2}) add(v);
        out += jg.EntText[no].fo + u"|" + jg.EntText[no].st;
        break;
      case EntityKind::Dimension:
        for (double v : {jg.EntDim[no].lin.x1, jg.EntDim[no].lin.x2, jg.EntDim[no].txt.x1}) add(v);
        out += jg.EntDim[no].txt.st;
        break;
      default:
        break;
    }
  }
  for (size_t k = 1; k < jg.IPoints.size(); ++k) {
    if (jg.IPoints[k].flg) {
      out += u"\nhp" + IntToText(static_cast<int32_t>(k)) + u" " + FloatToText(jg.IPoints[k].x);
    }
  }
  out += u"\n" + jg.LayName[17] + u"|" + jg.w_Font + u"|";
  out += IntToText(jg.w_Col) + u"|" + IntToText(jg.w_CrvNo);
  return Utf8(out);
}

// A file of several megabytes is decoded and parsed a piece at a time; the model must be just what
// parsing its whole text gives, in each encoding, with lines that run over from one piece into the
// next (in UTF-16 the pieces are cut anywhere, and lone CRs give pieces no place to cut), and with a
// NUL in a late piece that ends the text there.
TEST(ReaderFile, LargeFileReadsAsItsWholeTextDoes) {
  std::u16string text =
      u"hq\r\nly1\r\nlyn\u58C1 \u30BD\u30D5\u30A1\r\ncn\"$<\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF>\r\n";
  for (int i = 0; text.size() < 2'500'000; ++i) {
    const std::u16string n = IntToText(i);
    const std::u16string lineBreak = i % 50 < 10 ? u"\r" : (i % 7 == 0 ? u"\n" : u"\r\n");
    switch (i % 6) {
      case 0:
        text += u"-" + n + u".125 " + n + u"0.5 1 2" + lineBreak;
        break;
      case 1:
        text += u"ch " + n + u" 0 1 0 \"\u5BF8\u6CD5 " + std::u16string(static_cast<size_t>(i % 89), u'x') +
                lineBreak;
        break;
      case 2:
        text += u"lc" + IntToText(i % 9) + lineBreak + u"ci 1 2 " + n + lineBreak;
        break;
      case 3:
        text += u"msg" + lineBreak + u"0 0 " + n + u" 0" + lineBreak + u"cs 1 2 1 0 \"" + n + lineBreak;
        break;
      case 4:
        text += u"pl" + lineBreak + u"0 0 1 " + n + lineBreak + u"1 " + n + u" 2 2" + lineBreak + u"#" +
                lineBreak;
        break;
      default:
        text += u"hp" + IntToText(i % 99 + 1) + u" " + n + u" 0" + lineBreak;
        break;
    }
  }
  std::u16string withNul = text;
  withNul.insert(withNul.size() - 1000, 1, u'\0');
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"code page 932", platform::EncodeAnsi(text)},
      {"UTF-8", "\xEF\xBB\xBF" + platform::EncodeUtf8(text)},
      {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(text, false)},
      {"UTF-16 BE", "\xFE\xFF" + Utf16Bytes(text, true)},
      {"code page 932 with a NUL", platform::EncodeAnsi(withNul)},
      {"UTF-16 LE with a NUL", "\xFF\xFE" + Utf16Bytes(withNul, false)},
  };
  for (const Case& c : cases) {
    TempDir dir;
    WriteBytes(dir.path() / "JWC_TEMP.TXT", c.bytes);
    TJGdata read;
    EXPECT_TRUE(read.OpenTempFile(dir.file("JWC_TEMP.TXT"))) << c.what;
    TJGdata whole;
    whole.ReadTempText(platform::ReadTextFile(dir.file("JWC_TEMP.TXT")).text);
    EXPECT_GT(read.EntN, 50000) << c.what;
    EXPECT_TRUE(Described(read) == Described(whole)) << c.what;
    // A limit that every line keeps to changes nothing, however many more pieces it cuts the text into.
    TJGdata limited;
    EXPECT_TRUE(limited.ReadTempFile(dir.file("JWC_TEMP.TXT"), 4096).ok) << c.what;
    EXPECT_TRUE(Described(limited) == Described(whole)) << c.what;
  }
}

TEST(ReaderFile, MissingFileOrFolderReadsNothingAndSaysWhy) {
  TempDir dir;
  struct Case {
    std::u16string name;
    platform::ReadFailure failure;
  };
  const Case cases[] = {
      {dir.file("JWC_TEMP.TXT"), platform::ReadFailure::Missing},
      {u"", platform::ReadFailure::Missing},
      {dir.folder(), platform::ReadFailure::Unreadable},
  };
  for (const Case& c : cases) {
    TJGdata jg;
    jg.MojiCode = true;
    const platform::ReadTextResult read = jg.ReadTempFile(c.name);
    EXPECT_EQ(read.failure, c.failure) << Utf8(c.name);
    EXPECT_FALSE(read.reason.empty()) << Utf8(c.name);
    EXPECT_FALSE(jg.OpenTempFile(c.name)) << Utf8(c.name);
    EXPECT_FALSE(jg.MojiCode) << Utf8(c.name);
    EXPECT_EQ(jg.EntN, 0);
    EXPECT_EQ(jg.CurCol, 1);
  }
}

// A line longer than the text a string can hold (2^29 - 1 code units in a 32-bit program) fails the
// read as TooLarge instead of throwing; shown with the limit brought down to 64. In the ANSI code page
// and UTF-8 the decoder finds it, in UTF-16 (whose pieces are cut anywhere) the reader's joining of a
// line's pieces. The records before it stay read; MojiCode does not claim a read that failed.
TEST(ReaderFile, ALineLongerThanTheLimitFailsTheReadAsTooLarge) {
  const std::u16string longText = u"ch 0 0 1 0 \"" + std::u16string(60, u'x');  // 72 units
  struct Case {
    const char* what;
    std::u16string text;
    std::size_t maxUnits;
    bool ok;
  };
  const Case cases[] = {
      {"long line in the middle", u"0 0 1 0\r\n" + longText + u"\r\n0 0 2 0\r\n", 64, false},
      {"long last line without a line end", u"0 0 1 0\r\n" + longText, 64, false},
      {"long line ended by a lone CR", u"0 0 1 0\r\n" + longText + u"\r0 0 2 0\n", 64, false},
      {"the same lines within the limit", u"0 0 1 0\r\n" + longText + u"\r\n0 0 2 0\r\n", 74, true},
  };
  for (const Case& c : cases) {
    struct Encoded {
      const char* encoding;
      std::string bytes;
    };
    const Encoded files[] = {
        {"code page 932", platform::EncodeAnsi(c.text)},
        {"UTF-8", "\xEF\xBB\xBF" + platform::EncodeUtf8(c.text)},
        {"UTF-16 LE", "\xFF\xFE" + Utf16Bytes(c.text, false)},
    };
    for (const Encoded& file : files) {
      SCOPED_TRACE(std::string(c.what) + ", " + file.encoding);
      TempDir dir;
      WriteBytes(dir.path() / "JWC_TEMP.TXT", file.bytes);
      TJGdata jg;
      const platform::ReadTextResult read = jg.ReadTempFile(dir.file("JWC_TEMP.TXT"), c.maxUnits);
      EXPECT_EQ(read.ok, c.ok);
      EXPECT_EQ(read.failure, c.ok ? platform::ReadFailure::None : platform::ReadFailure::TooLarge);
      EXPECT_EQ(read.reason.empty(), c.ok);
      EXPECT_EQ(jg.EntLineN, c.ok ? 2 : 1);
      EXPECT_EQ(jg.EntTextN, c.ok ? 1 : 0);
      EXPECT_EQ(jg.MojiCode, c.ok && std::string(file.encoding) == "UTF-8");
    }
  }
}

TEST(ReaderFile, ReadingASecondFileAddsToTheModel) {
  TempDir dir;
  WriteBytes(dir.path() / "a.txt", "hp1 1 2\r\n0 0 1 0\r\n");
  WriteBytes(dir.path() / "b.txt", "\xEF\xBB\xBFhp2 3 4\r\n0 0 2 0\r\n");
  TJGdata jg;
  EXPECT_TRUE(jg.OpenTempFile(dir.file("a.txt")));
  EXPECT_TRUE(jg.OpenTempFile(dir.file("b.txt")));
  EXPECT_TRUE(jg.MojiCode);
  EXPECT_EQ(jg.EntLineN, 2);
  EXPECT_EQ(jg.IPointN, 2);
  EXPECT_TRUE(jg.IPoints[1].flg);
  EXPECT_TRUE(jg.IPoints[2].flg);
  WriteBytes(dir.path() / "c.txt", "0 0 3 0\r\n");
  EXPECT_TRUE(jg.OpenTempFile(dir.file("c.txt")));
  EXPECT_FALSE(jg.MojiCode);
  EXPECT_EQ(jg.EntLineN, 3);
}

}  // namespace
