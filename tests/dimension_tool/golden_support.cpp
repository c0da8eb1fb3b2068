#include "golden_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <sstream>

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

namespace {

std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t stop = text.find("\r\n", pos);
    if (stop == std::string::npos) stop = text.size();
    lines.push_back(text.substr(pos, stop - pos));
    pos = stop + 2;
  }
  return lines;
}

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
