// The program's options: the batch files choose the dimension through them.
#include "command_line.h"

#include <vector>

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

}  // namespace

ParsedCommandLine ParseCommandLine(const std::u16string& arguments) {
  ParsedCommandLine parsed;
  for (const std::u16string& argument : SplitArguments(arguments)) {
    const bool marked = !argument.empty() && (argument[0] == u'/' || argument[0] == u'-');
    const std::u16string name = marked ? LowerAscii(argument.substr(1)) : std::u16string();
    const OrientationTraits* chosen = nullptr;
    for (const OrientationTraits& traits : AllOrientations()) {
      if (*traits.option != u'\0' && name == traits.option) chosen = &traits;
    }
    if (chosen != nullptr) {
      parsed.options.orientation = chosen->orientation;
    } else if (name == u"quick") {
      parsed.options.quick = true;
    } else {
      // An empty argument ("") is no option either; it is shown as the two quotes it was typed as.
      parsed.unknown = argument.empty() ? u"\"\"" : argument;
      return parsed;
    }
  }
  return parsed;
}

std::u16string UnknownOptionMessage(const std::u16string& argument) {
  return u"指定できないオプションです：" + argument + u"\r\n使えるオプションは /horizontal と /quick です";
}
