// selvan.dat both ways: what a stored file does to the dialog, and what a save writes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "platform.h"
#include "settings_file.h"
#include "test_support.h"
#include "write_failures.h"

namespace {

using test_support::TempDir;

DialogValues WithStyles() {
  DialogValues values;
  values.textStyleItems = std::vector<std::u16string>(11, u"No1: W3 H3 D0");
  return values;
}

std::string CrLfFile(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

// A complete file in the order of the table: everything at a value other than the layout default.
const std::vector<std::string> kFull = {"300", "200", "7",   "4",  "5", "2", "0", "1.5", "pre", "suf", "0.7",
                                        "3",   "4",   "2.5", "20", "1", "1", "1", "1",   "0",   "1",   "0"};

// A folder of that name is no settings file either.
TEST(LoadSettings, MissingFileKeepsEverythingAndPutsTheWindowAt50) {
  for (bool folder : {false, true}) {
    SCOPED_TRACE(folder ? "a folder named selvan.dat" : "no selvan.dat");
    TempDir dir;
    if (folder) std::filesystem::create_directory(dir.path() / "selvan.dat");
    DialogValues values = WithStyles();
    values.prefix = u"kept";
    WindowPosition position{7, 9};
    LoadSettings(dir.file("selvan.dat"), values, position);
    EXPECT_EQ(position.left, 50);
    EXPECT_EQ(position.top, 50);
    EXPECT_TRUE(values.prefix == u"kept");
    EXPECT_EQ(values.textStyle, kNoSelection);
  }
}

TEST(LoadSettings, SevenLinesRestorePositionAndListsOnly) {
  TempDir dir;
  test_support::WriteBytes(dir.path() / "selvan.dat", CrLfFile({"300", "200", "7", "4", "5", "2", "0"}));
  DialogValues values = WithStyles();
  WindowPosition position;
  LoadSettings(dir.file("selvan.dat"), values, position);
  EXPECT_EQ(position.left, 300);
  EXPECT_EQ(position.top, 200);
  EXPECT_EQ(values.startMarker, 7);
  EXPECT_EQ(values.endMarker, 4);
  EXPECT_EQ(values.textStyle, 5);
  EXPECT_EQ(values.precision, 2);
  EXPECT_EQ(values.rounding, 0);
  const DialogValues defaults;
  EXPECT_TRUE(values.markerScale == defaults.markerScale &&
              values.valueToUnderline == defaults.valueToUnderline &&
              values.reversedOvershoot == defaults.reversedOvershoot);
  EXPECT_EQ(values.showZeros, 0);
  EXPECT_FALSE(values.groupDigits);
}

// One line of a complete file changed, and what that line does.
TEST(LoadSettings, EachLineAndItsRule) {
  struct Case {
    size_t line;  // 1-based
    std::string text;
    std::function<bool(const DialogValues&, const WindowPosition&)> holds;
  };
  const Case cases[] = {
      {1, "abc", [](const DialogValues&, const WindowPosition& p) { return p.left == 0; }},
      {2, "-40", [](const DialogValues&, const WindowPosition& p) { return p.top == -40; }},
      {2, "99999", [](const DialogValues&, const WindowPosition& p) { return p.top == 99999; }},
      {3, "-1", [](const DialogValues& v, const WindowPosition&) { return v.startMarker == 0; }},
      {3, "12", [](const DialogValues& v, const WindowPosition&) { return v.startMarker == kNoSelection; }},
      {3, "11", [](const DialogValues& v, const WindowPosition&) { return v.startMarker == 11; }},
      {4, "x", [](const DialogValues& v, const WindowPosition&) { return v.endMarker == 0; }},
      {5, "11", [](const DialogValues& v, const WindowPosition&) { return v.textStyle == kNoSelection; }},
      {5, "10", [](const DialogValues& v, const WindowPosition&) { return v.textStyle == 10; }},
      {6, "9", [](const DialogValues& v, const WindowPosition&) { return v.precision == kNoSelection; }},
      {7, "$2", [](const DialogValues& v, const WindowPosition&) { return v.rounding == 2; }},
      {8, " 2 ", [](const DialogValues& v, const WindowPosition&) { return v.markerScale == u" 2 "; }},
      {11, "", [](const DialogValues& v, const WindowPosition&) { return v.valueToUnderline.empty(); }},
      {16, "0", [](const DialogValues& v, const WindowPosition&) { return v.reversedOvershoot == u"0"; }},
      {17, "5", [](const DialogValues& v, const WindowPosition&) { return v.showZeros == 1; }},
      {17, "-3", [](const DialogValues& v, const WindowPosition&) { return v.showZeros == 0; }},
      {18, "0", [](const DialogValues& v, const WindowPosition&) { return v.unit == 0; }},
      {19, "2", [](const DialogValues& v, const WindowPosition&) { return v.groupDigits; }},
      {19, "-1", [](const DialogValues& v, const WindowPosition&) { return v.groupDigits; }},
      {21, "0", [](const DialogValues& v, const WindowPosition&) { return !v.fullWidth; }},
      {21, "", [](const DialogValues& v, const WindowPosition&) { return !v.fullWidth; }},
      {21, "yes", [](const DialogValues& v, const WindowPosition&) { return !v.fullWidth; }},
      {22, "1", [](const DialogValues& v, const WindowPosition&) { return v.dimensionEntity; }},
  };
  for (const Case& c : cases) {
    TempDir dir;
    std::vector<std::string> lines = kFull;
    lines[c.line - 1] = c.text;
    test_support::WriteBytes(dir.path() / "selvan.dat", CrLfFile(lines));
    DialogValues values = WithStyles();
    WindowPosition position;
    LoadSettings(dir.file("selvan.dat"), values, position);
    EXPECT_TRUE(c.holds(values, position)) << "line " << c.line << " = [" << c.text << "]";
  }
}

TEST(LoadSettings, ShortFileStopsAtTheFirstMissingLine) {
  TempDir dir;
  // Line 19 clears groupDigits; lines 20 to 22 are missing, so the boxes keep what they had.
  std::vector<std::string> lines(kFull.begin(), kFull.begin() + 19);
  lines[18] = "0";
  test_support::WriteBytes(dir.path() / "selvan.dat", CrLfFile(lines));
  DialogValues values = WithStyles();
  values.groupDigits = values.unitText = values.fullWidth = values.dimensionEntity = true;
  WindowPosition position;
  LoadSettings(dir.file("selvan.dat"), values, position);
  EXPECT_FALSE(values.groupDigits);
  EXPECT_TRUE(values.unitText && values.fullWidth && values.dimensionEntity);
  EXPECT_EQ(values.unit, 1);
}

// The same settings in every encoding and line end that a reader must take: prefix 接頭, suffix 尾.
TEST(LoadSettings, EncodingsAndLineEnds) {
  std::u16string text;
  for (const char16_t* line : {u"10", u"20", u"3", u"0", u"1", u"3", u"2", u"1", u"接頭", u"尾"}) {
    text += line;
    text += u"\r\n";
  }
  auto utf16 = [&](bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
      const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
      bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
  };
  auto replaceCrLf = [](std::string bytes, const std::string& end) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes.compare(i, 2, "\r\n") == 0) {
        out += end;
        ++i;
      } else {
        out += bytes[i];
      }
    }
    return out;
  };
  const std::string utf8 = "\xEF\xBB\xBF" + platform::EncodeUtf8(text);
  // No byte-order mark: Shift_JIS, written out byte by byte (接頭 = 90 DA 93 AA, 尾 = 94 F6).
  const std::string shiftJis = "10\r\n20\r\n3\r\n0\r\n1\r\n3\r\n2\r\n1\r\n\x90\xDA\x93\xAA\r\n\x94\xF6\r\n";
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"UTF-8", utf8},
      {"UTF-16 LE", utf16(false)},
      {"UTF-16 BE", utf16(true)},
      {"Shift_JIS without a mark", shiftJis},
      {"LF only", replaceCrLf(utf8, "\n")},
      {"CR only", replaceCrLf(utf8, "\r")},
      {"no line end after the last line", utf8.substr(0, utf8.size() - 2)},
  };
  for (const Case& c : cases) {
    TempDir dir;
    test_support::WriteBytes(dir.path() / "selvan.dat", c.bytes);
    DialogValues values = WithStyles();
    WindowPosition position;
    LoadSettings(dir.file("selvan.dat"), values, position);
    EXPECT_EQ(position.left, 10) << c.what;
    EXPECT_EQ(position.top, 20) << c.what;
    EXPECT_EQ(values.startMarker, 3) << c.what;
    EXPECT_EQ(values.rounding, 2) << c.what;
    EXPECT_EQ(platform::EncodeUtf8(values.prefix), "接頭") << c.what;
    EXPECT_EQ(platform::EncodeUtf8(values.suffix), "尾") << c.what;
  }
}

// An empty line in the middle is a line: it clears its edit box, and reading goes on after it.
TEST(LoadSettings, EmptyLinesCount) {
  TempDir dir;
  // Lines 3 to 10 are empty; there is no line 11.
  test_support::WriteBytes(dir.path() / "selvan.dat", "1\n2\n\n\n\n\n\n\n\n\n");
  DialogValues values = WithStyles();
  values.startMarker = 5;
  WindowPosition position;
  LoadSettings(dir.file("selvan.dat"), values, position);
  EXPECT_EQ(values.startMarker, 0);
  EXPECT_TRUE(values.markerScale.empty() && values.prefix.empty() && values.suffix.empty());
  EXPECT_TRUE(values.valueToUnderline == u"0.5") << "line 11 is missing";
}

// A hand-edited file cannot give an edit box more than typing could.
TEST(LoadSettings, EditTextsAreCutToTheirBoxesLimits) {
  struct Case {
    size_t line;
    std::u16string text;
    std::u16string DialogValues::*edit;
    std::u16string expected;
  };
  const std::u16string emoji = u"\U0001F600";  // one character, two code units
  const Case cases[] = {
      {8, std::u16string(40, u'1'), &DialogValues::markerScale, std::u16string(16, u'1')},
      {9, std::u16string(100, u'接'), &DialogValues::prefix, std::u16string(32, u'接')},
      {10, std::u16string(31, u'x') + emoji, &DialogValues::suffix, std::u16string(31, u'x')},
      {10, std::u16string(30, u'x') + emoji, &DialogValues::suffix, std::u16string(30, u'x') + emoji},
      {14, u"123456789", &DialogValues::arrowLength, u"12345678"},
      {15, u"12345678", &DialogValues::arrowAngle, u"12345678"},
      {16, std::u16string(17, u'9'), &DialogValues::reversedOvershoot, std::u16string(16, u'9')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TempDir dir;
    std::vector<std::string> lines = kFull;
    lines[c.line - 1] = platform::EncodeUtf8(c.text);
    test_support::WriteBytes(dir.path() / "selvan.dat", "\xEF\xBB\xBF" + CrLfFile(lines));
    DialogValues values = WithStyles();
    WindowPosition position;
    LoadSettings(dir.file("selvan.dat"), values, position);
    EXPECT_EQ(test_support::Utf8(values.*c.edit), test_support::Utf8(c.expected));
  }
}

// Only the first 64 KiB are read: what lies beyond, even the rest of the first lines, is never reached.
TEST(LoadSettings, ReadsNoFurtherThan64KiB) {
  for (size_t firstLine : {size_t{64 * 1024 - 10}, size_t{64 * 1024}}) {
    SCOPED_TRACE(firstLine);
    TempDir dir;
    test_support::WriteBytes(dir.path() / "selvan.dat", std::string(firstLine - 2, '0') + "7\r\n" + "8\r\n");
    DialogValues values = WithStyles();
    WindowPosition position;
    LoadSettings(dir.file("selvan.dat"), values, position);
    EXPECT_EQ(position.top, firstLine + 3 <= 64 * 1024 ? 8 : 50);
  }
}

DialogValues Edited() {
  DialogValues values = WithStyles();
  values.startMarker = 11;
  values.endMarker = 3;
  values.textStyle = 7;
  values.precision = 0;
  values.rounding = 1;
  values.markerScale = u"1.5";
  values.prefix = u" 約 ";
  values.suffix = u"（参考）";
  values.valueToUnderline = u"";
  values.extensionGap = u"0";
  values.extensionOvershoot = u"3.25";
  values.arrowLength = u"1000";
  values.arrowAngle = u"30";
  values.reversedOvershoot = u"abc";
  values.showZeros = 1;
  values.unit = 1;
  values.groupDigits = true;
  values.fullWidth = true;
  return values;
}

TEST(SaveSettings, WritesThirtyOneLinesInUtf8WithCrLf) {
  TempDir dir;
  TJGdata model;
  model.CurLGrp = 2;
  model.LGrpScale[2] = 100;
  model.Jikukaku = 30;
  model.IPoints[1] = TJwwIndPoint{true, 1.5, -2, 0};
  model.IPoints[2] = TJwwIndPoint{true, 1000, 0.25, 0};
  model.IPoints[4] = TJwwIndPoint{true, 9, 9, 0};  // not stored
  ASSERT_TRUE(SaveSettings(dir.file("selvan.dat"), Edited(), WindowPosition{-8, 1200}, model));

  const std::string expected =
      "\xEF\xBB\xBF"
      "-8\r\n1200\r\n11\r\n3\r\n7\r\n0\r\n1\r\n"
      "1.5\r\n 約 \r\n（参考）\r\n\r\n0\r\n3.25\r\n1000\r\n30\r\nabc\r\n"
      "1\r\n1\r\n1\r\n0\r\n1\r\n0\r\n"
      "2\r\n100\r\n30\r\n1.5\r\n-2\r\n1000\r\n0.25\r\n0\r\n0\r\n";
  EXPECT_EQ(test_support::ReadBytes(dir.path() / "selvan.dat"), expected);
}

// Every value of the dialog comes back as it was saved; each differs from its default in one of the cases.
TEST(SaveSettings, WhatIsSavedLoadsBackUnchanged) {
  DialogValues everyBoxChecked = Edited();
  everyBoxChecked.groupDigits = everyBoxChecked.unitText = everyBoxChecked.fullWidth =
      everyBoxChecked.dimensionEntity = true;
  for (const DialogValues& saved : {Edited(), everyBoxChecked}) {
    TempDir dir;
    ASSERT_TRUE(SaveSettings(dir.file("selvan.dat"), saved, WindowPosition{640, 480}, TJGdata()));
    DialogValues loaded = WithStyles();
    WindowPosition position;
    LoadSettings(dir.file("selvan.dat"), loaded, position);
    EXPECT_EQ(position.left, 640);
    EXPECT_EQ(position.top, 480);
    EXPECT_TRUE(loaded == saved) << "a value of the dialog is not kept in the settings file";
  }
}

// A write that fails must not cost the user the settings saved before.
TEST(SaveSettings, FailedWriteKeepsThePreviousFile) {
  TempDir dir;
  const std::string previous = CrLfFile(kFull);
  test_support::WriteBytes(dir.path() / "selvan.dat", previous);
  bool saved = true;
  {
    const test_support::WriteBlocker blocker(dir.path() / "selvan.dat");
    saved = SaveSettings(dir.file("selvan.dat"), Edited(), WindowPosition{}, TJGdata()).ok;
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(test_support::ReadBytes(dir.path() / "selvan.dat"), previous);
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path())) ++files;
  EXPECT_EQ(files, 1u) << "no temporary file left behind";
}

}  // namespace
