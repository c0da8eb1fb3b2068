#include "golden_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

#include "MyFunc.h"
#include "platform.h"
#include "session.h"
#include "test_support.h"

namespace golden {

using test_support::Utf8;

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Lines Host::Records() const {
  Lines lines = {"hq", "file=", axis, scales};
  lines.insert(lines.end(), styles.begin(), styles.end());
  lines.insert(lines.end(), {group, "ly0", "lc2", "lt1", textStyle, "cn\"$<ＭＳ ゴシック>"});
  lines.insert(lines.end(), points.begin(), points.end());
  return lines;
}

std::string Host::Utf8File() const { return HostFileUtf8(Records()); }

const Lines kCurrentSettings = {"lg0", "ly0", "lc2", "pn2", "lt1", "cn\"$<ＭＳ ゴシック>"};

void SelectStyle1(DialogValues& values) { values.textStyle = 1; }

std::string HostFileUtf8(const std::vector<std::string>& lines) {
  std::string bytes = "\xEF\xBB\xBF";
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

Lines SplitCrLf(const std::string& text) {
  Lines lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t stop = text.find("\r\n", pos);
    if (stop == std::string::npos) stop = text.size();
    lines.push_back(text.substr(pos, stop - pos));
    pos = stop + 2;
  }
  return lines;
}

namespace {

std::optional<double> Number(const std::string& token) {
  double value = 0.0;
  const char* end = token.data() + token.size();
  auto [ptr, ec] = std::from_chars(token.data(), end, value);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::vector<std::string> Tokens(const std::string& text) {
  std::vector<std::string> tokens;
  std::istringstream in(text);
  std::string token;
  while (in >> token) tokens.push_back(token);
  return tokens;
}

// One line: the part from the first double quote on is text and compared exactly; before it, numbers
// compare within 1e-9 and every other token exactly. The blanks themselves must match as well.
bool LineMatches(const std::string& actual, const std::string& expected) {
  const size_t actualQuote = actual.find('"');
  const size_t expectedQuote = expected.find('"');
  const std::string actualText = actualQuote == std::string::npos ? "" : actual.substr(actualQuote);
  const std::string expectedText = expectedQuote == std::string::npos ? "" : expected.substr(expectedQuote);
  if (actualText != expectedText) return false;
  const std::string actualHead = actual.substr(0, actualQuote);
  const std::string expectedHead = expected.substr(0, expectedQuote);
  const std::vector<std::string> a = Tokens(actualHead);
  const std::vector<std::string> e = Tokens(expectedHead);
  if (a.size() != e.size()) return false;
  // Single blanks between values, none leading; a trailing blank only before a text.
  std::string rejoined;
  for (const std::string& token : a) rejoined += (rejoined.empty() ? "" : " ") + token;
  if (rejoined != actualHead && (actualText.empty() || rejoined + " " != actualHead)) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const std::optional<double> x = Number(a[i]);
    const std::optional<double> y = Number(e[i]);
    if (x && y) {
      if (!(std::fabs(*x - *y) <= 1e-9)) return false;
    } else if (a[i] != e[i]) {
      return false;
    }
  }
  return true;
}

std::string Listing(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += "  " + std::to_string(i + 1) + ": " + lines[i] + "\n";
  return text;
}

}  // namespace

void ExpectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
  bool same = actual.size() == expected.size();
  for (size_t i = 0; same && i < actual.size(); ++i) same = LineMatches(actual[i], expected[i]);
  if (same) return;
  std::string where;
  for (size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
    const std::string a = i < actual.size() ? actual[i] : "(none)";
    const std::string e = i < expected.size() ? expected[i] : "(none)";
    if (i >= actual.size() || i >= expected.size() || !LineMatches(a, e)) {
      where = "first difference at line " + std::to_string(i + 1) + ": got [" + a + "], expected [" + e + "]";
      break;
    }
  }
  ADD_FAILURE() << where << "\nwritten:\n" << Listing(actual) << "expected:\n" << Listing(expected);
}

Lines WrittenLines(const TJGdata& model) {
  Lines lines;
  for (int32_t i = 0; i < model.t_MemN; ++i) lines.push_back(Utf8(model.t_Mem[static_cast<size_t>(i)]));
  return lines;
}

DialogValues RandomDialogValues(std::mt19937& random) {
  auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<>(low, high)(random);
  };
  auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  auto text = [&uniform](double low, double high) { return FloatToText(uniform(low, high)); };
  DialogValues values;
  values.startMarker = pick(0, 11);
  values.endMarker = pick(0, 11);
  values.textStyle = pick(0, 10);
  values.precision = pick(0, 8);
  values.rounding = pick(0, 2);
  values.markerScale = text(0.1, 3.0);
  values.prefix = pick(0, 1) ? u"L=" : u"";
  values.suffix = pick(0, 1) ? u"（参考）" : u"";
  values.valueToUnderline = text(-1.0, 3.0);
  values.extensionGap = text(0.0, 5.0);
  values.extensionOvershoot = text(0.0, 5.0);
  values.arrowLength = text(0.5, 10.0);
  values.arrowAngle = text(1.0, 89.0);
  values.reversedOvershoot = text(0.0, 5.0);
  values.showZeros = pick(0, 1);
  values.unit = pick(0, 1);
  values.groupDigits = pick(0, 1) != 0;
  values.unitText = pick(0, 1) != 0;
  values.fullWidth = pick(0, 1) != 0;
  values.dimensionEntity = pick(0, 1) != 0;
  return values;
}

void RandomHost(std::mt19937& random, TJGdata& host) {
  auto uniform = [&random](double low, double high) {
    return std::uniform_real_distribution<>(low, high)(random);
  };
  auto pick = [&random](int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random);
  };
  host.S_Init();
  host.CurLGrp = pick(0, 15);
  host.LGrpScale[static_cast<size_t>(host.CurLGrp)] = pick(0, 1) ? 1.0 : uniform(1.0, 100.0);
  const double reach = pick(0, 3) == 0 ? 20.0 : 5000.0;
  for (size_t point = 1; point <= 4; ++point) {
    host.IPoints[point] = TJwwIndPoint{true, uniform(-reach, reach), uniform(-reach, reach), 0};
  }
}

void CopyHost(const TJGdata& host, TJGdata& copy) {
  copy.S_Init();
  copy.CopySettingsFrom(host);
}

RunResult RunOk(const std::string& exchange, const std::function<void(DialogValues&)>& set,
                Orientation orientation) {
  RunResult result;
  test_support::TempDir dir;
  const std::filesystem::path exchangePath = dir.path() / "JWC_TEMP.TXT";
  test_support::WriteBytes(exchangePath, exchange);
  result.exchangeBefore = exchange;

  DimensionSession session(orientation);
  session.Load(dir.folder());
  set(session.values);
  const std::optional<CheckFailure> failure = session.Confirm();
  EXPECT_FALSE(failure.has_value()) << "OK refused: " << (failure ? Utf8(failure->message) : "");
  session.Finish(120, 80, result.ui);
  EXPECT_EQ(session.model, nullptr);

  result.exchangeAfter = test_support::ReadBytes(exchangePath);
  const platform::ReadTextResult decoded = platform::ReadTextFile(exchangePath.u16string());
  EXPECT_TRUE(decoded.ok);
  result.outputLines = SplitCrLf(Utf8(decoded.text));
  const std::filesystem::path settings = dir.path() / std::u16string(SettingsFileName(orientation));
  result.settingsExist = std::filesystem::exists(settings);
  if (result.settingsExist) result.settingsAfter = test_support::ReadBytes(settings);
  return result;
}

}  // namespace golden
