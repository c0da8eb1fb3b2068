// The live preview: what it shows for a set of values is exactly what OK writes for them, it says why
// when nothing can be drawn, and computing it touches neither the files nor the loaded model.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "JwwGaibu.h"
#include "construction.h"
#include "golden_support.h"
#include "platform.h"
#include "preview.h"
#include "session.h"
#include "settings_file.h"
#include "test_support.h"

namespace {

using test_support::Utf8;
using Lines = std::vector<std::string>;
using SetValues = std::function<void(DialogValues&)>;

std::string SampleExchange() {
  return test_support::ReadBytes(std::filesystem::path(TARVIK_SAMPLES_DIR) / "JWC_TEMP.TXT");
}

// A host file with the ten text styles, its current settings and four indicated points.
std::string HostFile(const Lines& extra,
                     const Lines& points = {"hp1 0 0", "hp2 0 1000", "hp3 500 300", "hp4 600 400"}) {
  Lines lines = {"hq",
                 "file=",
                 "hk 0",
                 "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1",
                 "hcw 2 2.5 3 4 5 6 7 8 9 10",
                 "hch 2 2.5 3 4 5 6 7 8 9 10",
                 "hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1"};
  lines.insert(lines.end(), extra.begin(), extra.end());
  lines.insert(lines.end(), {"lg0", "ly0", "lc2", "lt1", "cn2", "cn\"$<ＭＳ ゴシック>"});
  lines.insert(lines.end(), points.begin(), points.end());
  return golden::HostFileUtf8(lines);
}

Lines Utf8Lines(const std::vector<std::u16string>& lines) {
  Lines out;
  for (const std::u16string& line : lines) out.push_back(Utf8(line));
  return out;
}

// Load on a scratch folder holding `exchange` (and `settings` when not empty), the way the dialog
// loads the model that the preview reads.
struct LoadedSession {
  LoadedSession(const std::string& exchange, const std::string& settings = {}) {
    test_support::WriteBytes(dir.path() / "JWC_TEMP.TXT", exchange);
    if (!settings.empty()) test_support::WriteBytes(dir.path() / "selvan.dat", settings);
    session.Load(dir.folder());
  }
  test_support::TempDir dir;
  DimensionSession session;
};

// --- The preview's lines are the lines that OK writes ---

TEST(DimensionPreview, LinesEqualWhatTheOkRunWrites) {
  struct Case {
    const char* what;
    std::string exchange;
    SetValues set;
  };
  const Case cases[] = {
      {"the sample (Shift_JIS, scale 20), text style 2", SampleExchange(),
       [](DialogValues& v) { v.textStyle = 2; }},
      {"the sample, the host's current style, two decimals, full width with grouping and unit",
       SampleExchange(),
       [](DialogValues& v) {
         v.textStyle = 0;
         v.precision = 2;
         v.groupDigits = v.unitText = v.fullWidth = true;
       }},
      {"point markers at both ends, magnified", HostFile({}),
       [](DialogValues& v) {
         v.textStyle = 1;
         v.startMarker = 7;
         v.endMarker = 9;
         v.markerScale = u"2.5";
       }},
      {"one dimension entity, metres, prefix and suffix", HostFile({}),
       [](DialogValues& v) {
         v.textStyle = 3;
         v.dimensionEntity = true;
         v.unit = 1;
         v.prefix = u"約";
         v.suffix = u" (参考)";
       }},
      {"axis angle 30 with a width record, reversed arrows",
       HostFile({"hk 30", "lw3"}, {"hp1 0 0", "hp2 0 4", "hp3 5 3", "hp4 9 9"}),
       [](DialogValues& v) { v.textStyle = 1; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadedSession loaded(c.exchange);
    c.set(loaded.session.values);
    DimensionPreview preview;
    const PreviewResult& result = preview.Compute(loaded.session.values, *loaded.session.model);
    ASSERT_TRUE(result.Drawable()) << Utf8(result.message);

    const golden::RunResult run = golden::RunOk(c.exchange, c.set);
    ASSERT_TRUE(run.ui.messages.empty());
    // Exactly, not within a tolerance: the preview runs the same construction on the same settings.
    EXPECT_EQ(Utf8Lines(result.lines), run.outputLines);
  }
}

// The scratch model is reused from keystroke to keystroke: nothing of one result may leak into the next.
TEST(DimensionPreview, EachResultDependsOnlyOnItsOwnValues) {
  LoadedSession loaded(HostFile({"lw2"}));
  const TJGdata& host = *loaded.session.model;
  DialogValues plain = loaded.session.values;
  plain.textStyle = 1;
  // Fewer lines in another text style (the host's current one): the longer result before it must not
  // show through.
  DialogValues entity = plain;
  entity.dimensionEntity = true;
  entity.textStyle = 0;

  DimensionPreview preview;
  const PreviewResult first = preview.Compute(plain, host);
  const PreviewResult second = preview.Compute(entity, host);
  const PreviewResult again = preview.Compute(plain, host);
  ASSERT_TRUE(first.Drawable());
  ASSERT_TRUE(second.Drawable());
  EXPECT_LT(second.lines.size(), first.lines.size());
  EXPECT_EQ(Utf8Lines(again.lines), Utf8Lines(first.lines));
  EXPECT_EQ(Utf8(again.Summary()), Utf8(first.Summary()));

  DimensionPreview fresh;
  EXPECT_EQ(Utf8Lines(fresh.Compute(entity, host).lines), Utf8Lines(second.lines));
  // Every run starts from the host's attribute state, so each begins with the host's current settings.
  EXPECT_EQ(Utf8(second.lines.front()), "lg0");
  EXPECT_EQ(Utf8(again.lines.front()), "lg0");
}

// A host whose current attributes are those the writer starts from (layer group 0, layer 0, colour 1,
// line type 1, width 0, text style 1, the default font): only the host's "write the first one anyway"
// flags make the attribute lines appear. The scratch model of an earlier run has those flags spent, so
// a later result shows the lines only when the host's flags are carried over again.
TEST(DimensionPreview, AttributeLinesOfALaterRunEqualTheOkRun) {
  const std::string exchange = golden::HostFileUtf8(
      {"hq", "file=", "hk 0", "hs 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1", "lg0", "ly0", "lc1", "lt1", "lw0", "cn1",
       "cn\"$<ＭＳ ゴシック>", "hp1 0 0", "hp2 0 1000", "hp3 500 300", "hp4 600 400"});
  const SetValues set = [](DialogValues& v) { v.textStyle = 1; };
  LoadedSession loaded(exchange);
  set(loaded.session.values);
  const golden::RunResult run = golden::RunOk(exchange, set);
  ASSERT_TRUE(run.ui.messages.empty());
  ASSERT_GE(run.outputLines.size(), 7u);
  EXPECT_EQ(Lines(run.outputLines.begin(), run.outputLines.begin() + 7),
            (Lines{"lg0", "ly0", "lc1", "pn1", "lt1", "lw0", "cn\"$<ＭＳ ゴシック>"}));

  DimensionPreview preview;
  for (int computed = 1; computed <= 3; ++computed) {
    SCOPED_TRACE("run " + std::to_string(computed));
    const PreviewResult& result = preview.Compute(loaded.session.values, *loaded.session.model);
    ASSERT_TRUE(result.Drawable()) << Utf8(result.message);
    EXPECT_EQ(Utf8Lines(result.lines), run.outputLines);
  }
}

// The scratch model knows what the drawing of the result needs: the host's points, scales and styles.
TEST(DimensionPreview, ScratchCarriesTheHostsPointsScalesAndStyles) {
  LoadedSession loaded(SampleExchange());
  loaded.session.values.textStyle = 1;
  DimensionPreview preview;
  ASSERT_TRUE(preview.Compute(loaded.session.values, *loaded.session.model).Drawable());
  const TJGdata& host = *loaded.session.model;
  const TJGdata& scratch = preview.Scratch();
  for (int i = 1; i <= 4; ++i) {
    EXPECT_TRUE(scratch.IPoints[static_cast<size_t>(i)].flg) << "point " << i;
    EXPECT_EQ(scratch.IPoints[static_cast<size_t>(i)].x, host.IPoints[static_cast<size_t>(i)].x);
    EXPECT_EQ(scratch.IPoints[static_cast<size_t>(i)].y, host.IPoints[static_cast<size_t>(i)].y);
  }
  EXPECT_EQ(scratch.LGrpScale[0], 20.0);
  EXPECT_EQ(scratch.Mojisyu[10].W, host.Mojisyu[10].W);
  EXPECT_EQ(scratch.t_MemN, static_cast<int32_t>(preview.Result().lines.size()));
  // No entity of the host's file reaches the scratch model.
  EXPECT_EQ(scratch.EntN, 0);
}

// --- When nothing can be drawn: the message that says why ---

TEST(DimensionPreview, SaysWhyNothingCanBeDrawn) {
  struct Case {
    const char* what;
    std::string exchange;
    SetValues set;
    std::u16string message;
  };
  const std::string zero = HostFile({}, {"hp1 0 0", "hp2 100 0", "hp3 500 300", "hp4 600 400"});
  const Case cases[] = {
      // The checks of OK, in their order: the first failure is the one shown.
      {"no text style chosen (first run)", HostFile({}), [](DialogValues&) {},
       u"寸法値の文字種類を指定して下さい"},
      {"arrow length above 1000", HostFile({}),
       [](DialogValues& v) {
         v.textStyle = 1;
         v.arrowLength = u"1000.5";
       },
       u"矢印の長さを入力して下さい"},
      {"several failures, the first wins", HostFile({}),
       [](DialogValues& v) {
         v.textStyle = 1;
         v.markerScale = u"0";
         v.reversedOvershoot = u"-1";
       },
       u"端点（点マーカ）の倍率を指定して下さい"},
      {"a check failure comes before a zero dimension", zero, [](DialogValues& v) { v.arrowAngle = u"180"; },
       u"矢印の角度を入力して下さい"},
      {"no precision", HostFile({}),
       [](DialogValues& v) {
         v.textStyle = 1;
         v.precision = kNoSelection;
       },
       u"寸法値の精度を指定して下さい"},
      // Values that pass the checks but cannot be drawn.
      {"P1 and P2 at the same height", zero, [](DialogValues& v) { v.textStyle = 1; }, kZeroDimensionMessage},
      {"a gap that overflows at scale 20", SampleExchange(),
       [](DialogValues& v) {
         v.textStyle = 1;
         v.extensionGap = u"1e308";
       },
       kNonFiniteMessage},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LoadedSession loaded(c.exchange);
    c.set(loaded.session.values);
    DimensionPreview preview;
    const PreviewResult& result = preview.Compute(loaded.session.values, *loaded.session.model);
    EXPECT_FALSE(result.Drawable());
    // The panel shows the whole message; its first line is the one OK's message box starts with.
    EXPECT_EQ(Utf8(result.message.substr(0, result.message.find(u'\n'))), Utf8(c.message));
    EXPECT_TRUE(result.lines.empty());
    EXPECT_EQ(Utf8(result.Summary()), Utf8(result.message));
  }
}

TEST(DimensionPreview, SummaryTellsDifferentResultsApart) {
  LoadedSession loaded(SampleExchange());
  DialogValues values = loaded.session.values;
  values.textStyle = 1;
  values.showZeros = 1;  // zeros shown: the sample measures a whole 1000, so the precision shows
  DimensionPreview preview;
  std::set<std::string> summaries;
  std::set<size_t> lineCounts;
  // Precision, marker, rounding: each changes the drawing, and so the record of it.
  for (int32_t precision : {0, 3, 8}) {
    for (int32_t marker : {0, 1, 11}) {
      values.precision = precision;
      values.startMarker = marker;
      const PreviewResult& result = preview.Compute(values, *loaded.session.model);
      ASSERT_TRUE(result.Drawable());
      summaries.insert(Utf8(result.Summary()));
      lineCounts.insert(result.lines.size());
    }
  }
  EXPECT_EQ(summaries.size(), 9u);
  // Markers 1 and 11 write as many lines; only the content tells them apart.
  EXPECT_LT(lineCounts.size(), 9u);
  values.precision = 3;
  values.startMarker = 0;
  const std::string summary = Utf8(preview.Compute(values, *loaded.session.model).Summary());
  EXPECT_EQ(summary.substr(0, summary.find(' ')), std::to_string(preview.Result().lines.size()));
}

// --- The preview writes nothing and leaves the loaded model as OK needs it ---

TEST(DimensionPreview, LeavesTheExchangeAndSettingsFilesAndTheModelUntouched) {
  DialogValues stored;
  stored.textStyle = 2;
  stored.prefix = u"約";
  std::u16string settingsText;
  for (const std::u16string& line : SettingsLines(stored, WindowPosition{70, 60}, TJGdata())) {
    settingsText += line + u"\r\n";
  }
  const std::string settings = "\xEF\xBB\xBF" + platform::EncodeUtf8(settingsText);

  for (bool withSettings : {true, false}) {
    SCOPED_TRACE(withSettings ? "with a settings file" : "first run");
    const std::string exchange = SampleExchange();
    LoadedSession loaded(exchange, withSettings ? settings : std::string());
    DimensionSession& session = loaded.session;
    const int32_t hostLines = session.model->t_MemN;
    const bool hostFontFlag = session.model->w_FlgFont;

    DimensionPreview preview;
    std::vector<SetValues> edits = {
        [](DialogValues& v) { v.textStyle = 1; },
        [](DialogValues& v) { v.precision = 0; },
        [](DialogValues& v) { v.startMarker = 6; },
        [](DialogValues& v) { v.dimensionEntity = true; },
        [](DialogValues& v) { v.arrowLength = u"2000"; },  // fails its check
        [](DialogValues& v) {
          v.arrowLength = u"3";
          v.extensionGap = u"1e308";  // overflows
        },
        [](DialogValues& v) { v.extensionGap = u"2"; },
    };
    DialogValues values = session.values;
    int drawn = 0;
    for (const SetValues& edit : edits) {
      edit(values);
      drawn += preview.Compute(values, *session.model).Drawable() ? 1 : 0;
    }
    EXPECT_EQ(drawn, 5);
    EXPECT_EQ(test_support::ReadBytes(loaded.dir.path() / "JWC_TEMP.TXT"), exchange);
    EXPECT_EQ(std::filesystem::exists(loaded.dir.path() / "selvan.dat"), withSettings);
    if (withSettings) {
      EXPECT_EQ(test_support::ReadBytes(loaded.dir.path() / "selvan.dat"), settings);
    }
    size_t files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(loaded.dir.path())) ++files;
    EXPECT_EQ(files, withSettings ? 2u : 1u) << "the preview left a file behind";
    EXPECT_EQ(session.model->t_MemN, hostLines);
    EXPECT_EQ(session.model->w_FlgFont, hostFontFlag);

    // OK after all those previews writes what it writes without them.
    session.values.textStyle = 1;
    DialogValues okValues = session.values;
    ASSERT_FALSE(session.Confirm().has_value());
    const std::vector<std::u16string> previewed = preview.Compute(okValues, *session.model).lines;
    golden::RecordingUi ui;
    session.Finish(120, 80, ui);
    const golden::RunResult reference = golden::RunOk(exchange, [&](DialogValues& v) { v = okValues; });
    EXPECT_EQ(test_support::ReadBytes(loaded.dir.path() / "JWC_TEMP.TXT"), reference.exchangeAfter);
    EXPECT_EQ(Utf8Lines(previewed), reference.outputLines);
  }
}

}  // namespace
