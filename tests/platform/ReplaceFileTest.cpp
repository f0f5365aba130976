#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

using test::Names;
using test::ReadBytes;
using test::WriteBytes;

class ReplaceFileTest : public ::testing::Test {
 protected:
  void ExpectOnlyTheFile(const std::string& bytes) {
    EXPECT_EQ(ReadBytes(path_), bytes);
    EXPECT_EQ(Names(root_.path()), std::vector<std::string>{"settings.ini"}) << "temporary file left behind";
  }
  mode_t ModeOf(const std::string& path) { return test::LinkStatus(path).st_mode & 07777; }

  test::TempFolder root_;
  std::string path_ = root_ / "settings.ini";
  PosixFileSystem fs_;
};

TEST_F(ReplaceFileTest, CreatesAMissingFileWithTheUsualMode) {
  const mode_t previous = umask(027);
  const ReplaceFileResult result = fs_.ReplaceFile(path_, "first=1\n");
  umask(previous);
  EXPECT_EQ(result, ReplaceFileResult::kOk);
  ExpectOnlyTheFile("first=1\n");
  EXPECT_EQ(ModeOf(path_), 0640u);
}

TEST_F(ReplaceFileTest, ReplacesTheContentAndKeepsTheMode) {
  WriteBytes(path_, "old content that is longer\n");
  ASSERT_EQ(chmod(path_.c_str(), 0600), 0);
  EXPECT_EQ(fs_.ReplaceFile(path_, "new\n"), ReplaceFileResult::kOk);
  ExpectOnlyTheFile("new\n");
  EXPECT_EQ(ModeOf(path_), 0600u);
}

TEST_F(ReplaceFileTest, LeavesAReadOnlyFileAsItIs) {
  WriteBytes(path_, "kept\n");
  ASSERT_EQ(chmod(path_.c_str(), 0444), 0);
  EXPECT_EQ(fs_.ReplaceFile(path_, "new\n"), ReplaceFileResult::kOpenFailed);
  ExpectOnlyTheFile("kept\n");
  EXPECT_EQ(ModeOf(path_), 0444u);
}

// A FIFO under the name, even one a reader holds open, is no settings file to replace.
TEST_F(ReplaceFileTest, LeavesAnythingButARegularFileAsItIs) {
  ASSERT_EQ(mkfifo(path_.c_str(), 0644), 0);
  const int reader = open(path_.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(fs_.ReplaceFile(path_, "new\n"), ReplaceFileResult::kOpenFailed);
  close(reader);
  EXPECT_TRUE(S_ISFIFO(test::LinkStatus(path_).st_mode));
  EXPECT_EQ(Names(root_.path()), std::vector<std::string>{"settings.ini"});
}

TEST_F(ReplaceFileTest, KeepsTheOldFileWhenWritingFails) {
  WriteBytes(path_, "kept\n");
  PosixFileSystem failing(MoveStrategy::kRenameNoReplace, {.beforeReplaceWrite = [] { return ENOSPC; }});
  EXPECT_EQ(failing.ReplaceFile(path_, "new\n"), ReplaceFileResult::kWriteFailed);
  ExpectOnlyTheFile("kept\n");
}

TEST_F(ReplaceFileTest, FailsToOpenInAMissingFolder) {
  EXPECT_EQ(fs_.ReplaceFile(root_ / "missing/settings.ini", "x"), ReplaceFileResult::kOpenFailed);
  EXPECT_TRUE(Names(root_.path()).empty());
}

TEST_F(ReplaceFileTest, ReplacesTheFileALinkPointsTo) {
  ASSERT_EQ(mkdir((root_ / "kept").c_str(), 0755), 0);
  WriteBytes(root_ / "kept/settings.ini", "old\n");
  ASSERT_EQ(symlink("kept/settings.ini", path_.c_str()), 0);
  EXPECT_EQ(fs_.ReplaceFile(path_, "new\n"), ReplaceFileResult::kOk);
  EXPECT_TRUE(S_ISLNK(test::LinkStatus(path_).st_mode));
  EXPECT_EQ(ReadBytes(path_), "new\n");
  EXPECT_EQ(Names(root_ / "kept"), std::vector<std::string>{"settings.ini"});
}

}  // namespace
}  // namespace kelvora
