// What a failure that escapes the program's own handling ends in: a message and an exit code of its own,
// never an abort, and never the code of the unreadable exchange file.
#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>

#include "failures.h"
#include "test_support.h"

namespace {

TEST(Failures, EveryEscapingExceptionHasAMessageAndAnExitCodeOfItsOwn) {
  struct Case {
    const char* what;
    std::function<void()> fail;
    int exitCode;
    std::u16string shown;
  };
  const std::u16string unexpected = u"予期しないエラーが発生しましたので作図出来ません\n理由：";
  const Case cases[] = {
      {"memory", [] { throw std::bad_alloc(); }, kExitOutOfMemory, kOutOfMemoryMessage},
      {"string length", [] { std::u16string().reserve(std::u16string().max_size() + 1); }, kExitUnexpected,
       unexpected},
      {"a library's own", [] { throw std::runtime_error("disk \xE9jected"); }, kExitUnexpected,
       unexpected + u"disk ?jected"},
      {"not even an exception", [] { throw 7; }, kExitUnexpected, unexpected},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CaughtFailure caught;
    try {
      c.fail();
      FAIL() << "nothing was thrown";
    } catch (...) {
      caught = CurrentFailure();
    }
    EXPECT_EQ(caught.exitCode, c.exitCode);
    EXPECT_NE(caught.exitCode, kExitExchangeUnreadable);
    EXPECT_EQ(caught.message.substr(0, c.shown.size()), c.shown) << test_support::Utf8(caught.message);
  }
}

TEST(Failures, AFolderThatRefusesNewFilesIsNamedInTheWriteMessage) {
  const platform::WriteResult refused{false, u"Permission denied", u"/jww/"};
  const platform::WriteResult full{false, u"No space left", {}};
  EXPECT_EQ(test_support::Utf8(WriteFailureMessage(refused)),
            "「JWC_TEMP.TXT」に書き込めませんので作図出来ません\n理由：Permission denied\n"
            "フォルダ「/jww/」にファイルを作成出来ません（tarvikはこのフォルダにファイルを作成する必要があります）");
  EXPECT_EQ(WriteFailureMessage(full).find(u"フォルダ"), std::u16string::npos);
}

}  // namespace
