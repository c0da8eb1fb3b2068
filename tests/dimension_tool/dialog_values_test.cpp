// The text-style list as the host's styles fill it.
#include <gtest/gtest.h>

#include "JwwGaibu.h"
#include "dialog_values.h"
#include "platform.h"

namespace {

std::vector<std::string> Utf8(const std::vector<std::u16string>& items) {
  std::vector<std::string> out;
  for (const std::u16string& item : items) out.push_back(platform::EncodeUtf8(item));
  return out;
}

TEST(TextStyleItems, CurrentStyleThenTheTenHostStyles) {
  TJGdata model;
  model.ReadTempText(
      u"hcw 2 2.5 3 4 5 6 7 8 9 10\r\nhch 2 2.5 3 4 5 6 7 8 9 1E20\r\n"
      u"hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 0.125\r\ncn7\r\n");
  EXPECT_EQ(
      Utf8(TextStyleItems(model)),
      (std::vector<std::string>{"現在の文字種(No7)", "No1: W2 H2 D0", "No2: W2.5 H2.5 D0", "No3: W3 H3 D0.5",
                                "No4: W4 H4 D0.5", "No5: W5 H5 D0.5", "No6: W6 H6 D0.5", "No7: W7 H7 D1",
                                "No8: W8 H8 D1", "No9: W9 H9 D1", "No10: W10 H1E20 D0.125"}));
}

TEST(TextStyleItems, FreeCurrentStyleAndDefaults) {
  struct Case {
    const char16_t* file;
    const char* first;
  };
  const Case cases[] = {
      {u"cn0 2.5 2.5 0.5 3\r\n", "現在の文字種(Free)"},
      {u"", "現在の文字種(No1)"},  // a model that read nothing: style 1
      {u"cn-3\r\n", "現在の文字種(No-3)"},
  };
  for (const Case& c : cases) {
    TJGdata model;
    model.ReadTempText(c.file);
    const std::vector<std::string> items = Utf8(TextStyleItems(model));
    ASSERT_EQ(items.size(), 11u);
    EXPECT_EQ(items[0], c.first);
    EXPECT_EQ(items[1], "No1: W3 H3 D0") << c.first;
  }
}

}  // namespace
