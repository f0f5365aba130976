#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

using test::Names;
using test::TempFolder;
using test::WriteBytes;

class StaleMoveCopyTest : public ::testing::Test {
 protected:
  TempFolder root_;
  PosixFileSystem fs_;
};

// Only a regular file with exactly the hidden copy's name goes; everything else in the folder stays.
TEST_F(StaleMoveCopyTest, RemovesOnlyCopiesLeftBehind) {
  WriteBytes(root_ / ".kelvora-move-Ab12Z9", "partial");
  WriteBytes(root_ / ".kelvora-move-zzzzzz", "");
  WriteBytes(root_ / ".kelvora-move-Ab12Z9.jpg", "photo");
  WriteBytes(root_ / ".kelvora-move-Ab12Z", "photo");
  WriteBytes(root_ / "IMG_0001.JPG", "photo");
  ASSERT_EQ(mkdir((root_ / ".kelvora-move-Folder").c_str(), 0755), 0);
  ASSERT_EQ(symlink("IMG_0001.JPG", (root_ / ".kelvora-move-LinkTo").c_str()), 0);
  ASSERT_EQ(mkfifo((root_ / ".kelvora-move-FifoXX").c_str(), 0644), 0);

  fs_.RemoveStaleMoveCopies(root_.path());
  EXPECT_EQ(Names(root_.path()), (std::vector<std::string>{".kelvora-move-Ab12Z", ".kelvora-move-Ab12Z9.jpg",
                                                          ".kelvora-move-FifoXX", ".kelvora-move-Folder",
                                                          ".kelvora-move-LinkTo", "IMG_0001.JPG"}));
  fs_.RemoveStaleMoveCopies(root_ / "missing");
}

// A copy some move is still writing is locked; it goes only once nobody holds it.
TEST_F(StaleMoveCopyTest, LeavesACopyThatIsStillBeingWritten) {
  const std::string copy = root_ / ".kelvora-move-Ab12Z9";
  WriteBytes(copy, "half");
  const int writer = open(copy.c_str(), O_WRONLY);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(flock(writer, LOCK_EX), 0);
  fs_.RemoveStaleMoveCopies(root_.path());
  EXPECT_EQ(Names(root_.path()), std::vector<std::string>{".kelvora-move-Ab12Z9"});
  close(writer);
  fs_.RemoveStaleMoveCopies(root_.path());
  EXPECT_TRUE(Names(root_.path()).empty());
}

}  // namespace
}  // namespace kelvora
