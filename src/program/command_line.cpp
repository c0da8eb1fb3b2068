// The options a program takes: the batch files choose what it does through them.
#include "command_line.h"

#include <algorithm>

namespace {

std::vector<std::u16string> SplitArguments(const std::u16string& arguments) {
  std::vector<std::u16string> words;
  std::u16string word;
  bool quoted = false;
  bool inWord = false;
  for (char16_t c : arguments) {
    if (c == u'"') {
      quoted = !quoted;
      inWord = true;
    } else if (!quoted && (c == u' ' || c == u'\t')) {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word.push_back(c);
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

// ASCII letters only: the option names are ASCII, and nothing else should match them.
std::u16string LowerAscii(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// Characters that would break the message's lines or turn its text around, shown as "?" instead.
bool Unprintable(char16_t c) {
  return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0x061C || (c >= 0x200B && c <= 0x200F) ||
         (c >= 0x2028 && c <= 0x202E) || (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF;
}

// The longest argument the message quotes whole; a longer one is cut there and marked with "…".
constexpr size_t kLongestQuoted = 64;

std::u16string QuotedArgument(const std::u16string& argument) {
  std::u16string shown;
  for (size_t i = 0; i < argument.size() && i < kLongestQuoted; ++i) {
    const char16_t c = argument[i];
    shown.push_back(Unprintable(c) ? u'?' : c);
  }
  // A pair of surrogates cut in the middle would show as a broken character.
  if (argument.size() > kLongestQuoted) {
    if (shown.back() >= 0xD800 && shown.back() <= 0xDBFF) shown.pop_back();
    shown += u'…';
  }
  return shown;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::u16string& arguments,
                                   std::span<const std::u16string_view> optionNames) {
  ParsedCommandLine parsed;
  parsed.given.assign(optionNames.size(), false);
  for (const std::u16string& argument : SplitArguments(arguments)) {
    const bool marked = !argument.empty() && (argument[0] == u'/' || argument[0] == u'-');
    const std::u16string name = marked ? LowerAscii(argument.substr(1)) : std::u16string();
    const auto found = marked ? std::find(optionNames.begin(), optionNames.end(), name) : optionNames.end();
    if (found == optionNames.end()) {
      // An empty argument ("") is no option either; it is shown as the two quotes it was typed as.
      parsed.unknown = argument.empty() ? u"\"\"" : argument;
      return parsed;
    }
    parsed.given[static_cast<size_t>(found - optionNames.begin())] = true;
  }
  return parsed;
}

std::u16string UnknownOptionMessage(const std::u16string& argument,
                                    std::span<const std::u16string_view> optionNames) {
  std::u16string message = u"指定できないオプションです：" + QuotedArgument(argument) + u"\r\n";
  if (optionNames.empty()) return message + u"使えるオプションはありません";
  message += u"使えるオプションは ";
  for (size_t i = 0; i < optionNames.size(); ++i) {
    if (i > 0) message += u" と ";
    message += u'/';
    message += optionNames[i];
  }
  return message + u" です";
}
