// A program's options as batch files pass them, read against the program's own table of names.
#include "command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "test_support.h"

namespace {

using test_support::Utf8;

constexpr std::u16string_view kNames[] = {u"repeat", u"quick"};

TEST(CommandLine, OptionsAndArguments) {
  struct Case {
    std::u16string arguments;
    bool repeat;
    bool quick;
    std::u16string unknown;  // empty: accepted
  };
  const Case cases[] = {
      // Nothing given.
      {u"", false, false, u""},
      {u"   \t ", false, false, u""},
      // Either mark, any case, quoted or not, given twice, in either order.
      {u"/repeat", true, false, u""},
      {u"-REPEAT", true, false, u""},
      {u"  /Repeat\t", true, false, u""},
      {u"\"/repeat\"", true, false, u""},
      {u"/repeat -repeat", true, false, u""},
      {u"/quick", false, true, u""},
      {u"-Quick", false, true, u""},
      {u"/repeat /quick", true, true, u""},
      {u"-QUICK /Repeat", true, true, u""},
      // Anything else is refused as typed, the first such argument named, the options before it kept.
      {u"repeat", false, false, u"repeat"},
      {u"/repeat /other /x", true, false, u"/other"},
      {u"/quick /q", false, true, u"/q"},
      {u"/repeatx", false, false, u"/repeatx"},
      {u"/repeat/quick", false, false, u"/repeat/quick"},
      {u"//repeat", false, false, u"//repeat"},
      {u"/", false, false, u"/"},
      {u"/ｒｅｐｅａｔ", false, false, u"/ｒｅｐｅａｔ"},
      {u"\"/rep eat\"", false, false, u"/rep eat"},
      {u"\"\"", false, false, u"\"\""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("arguments [" + Utf8(c.arguments) + "]");
    const ParsedCommandLine parsed = ParseCommandLine(c.arguments, kNames);
    EXPECT_EQ(Utf8(parsed.unknown), Utf8(c.unknown));
    EXPECT_EQ(parsed.Ok(), c.unknown.empty());
    EXPECT_EQ(parsed.Given(0), c.repeat);
    EXPECT_EQ(parsed.Given(1), c.quick);
    EXPECT_FALSE(parsed.Given(2));
  }
}

TEST(CommandLine, UnknownOptionMessageNamesTheArgumentAndTheAcceptedOptions) {
  struct Case {
    std::span<const std::u16string_view> names;
    const char* expected;
  };
  const Case cases[] = {
      {kNames, "指定できないオプションです：/x\r\n使えるオプションは /repeat と /quick です"},
      {std::span(kNames).first(1), "指定できないオプションです：/x\r\n使えるオプションは /repeat です"},
      {{}, "指定できないオプションです：/x\r\n使えるオプションはありません"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Utf8(UnknownOptionMessage(u"/x", c.names)), c.expected);
  }
  // A program without options refuses every argument.
  EXPECT_EQ(Utf8(ParseCommandLine(u"/repeat", {}).unknown), "/repeat");
}

TEST(CommandLine, UnknownOptionMessageQuotesTheArgumentReadably) {
  const std::u16string sixtyFour(64, u'a');
  struct Case {
    std::u16string argument;
    std::u16string quoted;
  };
  const Case cases[] = {
      {u"/日本語", u"/日本語"},
      {sixtyFour, sixtyFour},
      {sixtyFour + u"b", sixtyFour + u"…"},
      {std::u16string(63, u'a') + u"\U0001F600", std::u16string(63, u'a') + u"…"},
      {u"/a\r\nb\tc\x7F", u"/a??b?c?"},
      {u"/\u202Eevil\u2066\u2069\u200E\u200F\u061C", u"/?evil?????"},
  };
  for (const Case& c : cases) {
    const std::u16string message = UnknownOptionMessage(c.argument, {});
    EXPECT_EQ(message, u"指定できないオプションです：" + c.quoted + u"\r\n使えるオプションはありません")
        << Utf8(c.argument);
  }
}

}  // namespace
