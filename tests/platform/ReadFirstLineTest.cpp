#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Only a regular file is read. A FIFO with no writer would block the open, and then the read, for ever; a
// device may never end.
TEST(ReadFirstLineTest, TellsAMissingFileFromAnUnreadableOneAndNeverWaits) {
  const test::TempFolder root;
  ASSERT_EQ(mkdir((root / "folder").c_str(), 0755), 0);
  ASSERT_EQ(mkfifo((root / "fifo").c_str(), 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", (root / "device").c_str()), 0);
  ASSERT_EQ(symlink("fifo", (root / "to-fifo").c_str()), 0);
  test::WriteBytes(root / "file", "line\n");
  ASSERT_EQ(symlink("file", (root / "to-file").c_str()), 0);
  PosixFileSystem fs;
  EXPECT_EQ(fs.ReadFirstLine(root / "missing", 64).status, ReadLineResult::kOpenFailed);
  for (const char* name : {"folder", "fifo", "device", "to-fifo"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(fs.ReadFirstLine(root / name, 64).status, ReadLineResult::kReadFailed);
  }
  EXPECT_EQ(fs.ReadFirstLine(root / "to-file", 64).line, "line\n");
}

}  // namespace
}  // namespace kelvora
