#include <gtest/gtest.h>
#include <sys/stat.h>

#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

using namespace std::string_literals;

TEST(ReadFirstLineTest, ReadsUpToTheFirstLineBreakOrTheLimit) {
  const test::TempFolder root;
  PosixFileSystem fs;
  struct Case {
    const char* name;
    std::string content;
    std::size_t maxBytes;
    ReadLineResult::Status status;
    std::string line;
  };
  const Case cases[] = {
      {"empty file", "", 64, ReadLineResult::kReadFailed, ""},
      {"line with its break", "abc\n", 64, ReadLineResult::kOk, "abc\n"},
      {"line without a break", "abc", 64, ReadLineResult::kOk, "abc"},
      {"second line ignored", "ab\ncd\n", 64, ReadLineResult::kOk, "ab\n"},
      {"longer than the limit", "abcdef\n", 3, ReadLineResult::kOk, "abc"},
      {"break just past the limit", "abc\n", 3, ReadLineResult::kOk, "abc"},
      {"break right at the limit", "abc\nd", 4, ReadLineResult::kOk, "abc\n"},
      {"NUL bytes kept", "a\0b\nc"s, 64, ReadLineResult::kOk, "a\0b\n"s},
      {"only a break", "\n", 64, ReadLineResult::kOk, "\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteBytes(root / "settings", c.content);
    const ReadLineResult result = fs.ReadFirstLine(root / "settings", c.maxBytes);
    EXPECT_EQ(result.status, c.status);
    EXPECT_EQ(result.line, c.line);
  }
}

TEST(ReadFirstLineTest, TellsAMissingFileFromAnUnreadableOne) {
  const test::TempFolder root;
  ASSERT_EQ(mkdir((root / "folder").c_str(), 0755), 0);
  PosixFileSystem fs;
  EXPECT_EQ(fs.ReadFirstLine(root / "missing", 64).status, ReadLineResult::kOpenFailed);
  EXPECT_EQ(fs.ReadFirstLine(root / "folder", 64).status, ReadLineResult::kReadFailed);
}

}  // namespace
}  // namespace kelvora
