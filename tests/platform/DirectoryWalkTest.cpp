#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <map>

#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

using test::TempFolder;
using test::WriteBytes;
using Listing = std::map<std::string, std::uint32_t>;

// Every entry of a walk with its attribute word, after checking that the walk ends the way the batches
// expect it to.
Listing WalkAll(PosixFileSystem& fs, const std::string& folder) {
  Listing listing;
  FindData entry;
  int error = -1;
  auto walk = fs.OpenWalk(folder, entry, error);
  EXPECT_EQ(error, 0);
  if (!walk) return listing;
  do {
    EXPECT_TRUE(listing.emplace(entry.name, entry.attributes).second) << "delivered twice: " << entry.name;
  } while ((error = walk->Next(entry)) == 0);
  EXPECT_EQ(error, kErrNoMoreFiles);
  EXPECT_EQ(walk->Next(entry), kErrNoMoreFiles) << "a finished walk stays finished";
  return listing;
}

class DirectoryWalkTest : public ::testing::Test {
 protected:
  TempFolder root_;
  PosixFileSystem fs_;
};

TEST_F(DirectoryWalkTest, GivesEachKindOfEntryItsAttributeWord) {
  WriteBytes(root_ / "file", "x");
  WriteBytes(root_ / ".hidden", "x");
  WriteBytes(root_ / "locked", "x");
  ASSERT_EQ(chmod((root_ / "locked").c_str(), 0444), 0);
  ASSERT_EQ(mkdir((root_ / "folder").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((root_ / ".hiddenfolder").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((root_ / "lockedfolder").c_str(), 0555), 0);
  ASSERT_EQ(symlink("file", (root_ / "tofile").c_str()), 0);
  ASSERT_EQ(symlink("folder", (root_ / "tofolder").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (root_ / ".dangling").c_str()), 0);

  const Listing expected = {
      {".", 0x12},           {"..", 0x12},         {"file", 0x20},          {".hidden", 0x22},
      {"locked", 0x21},      {"folder", 0x10},     {".hiddenfolder", 0x12}, {"lockedfolder", 0x11},
      {"tofile", 0x420},     {"tofolder", 0x420},  {".dangling", 0x422},
  };
  EXPECT_EQ(WalkAll(fs_, root_.path()), expected);
  EXPECT_EQ(WalkAll(fs_, root_.path() + "/"), expected) << "a folder text ending in '/'";
}

TEST_F(DirectoryWalkTest, PassesNamesOnAsBytes) {
  const std::string name = "caf\xc3\xa9 \xff\xfe bad utf-8";
  WriteBytes(root_ / name, "x");
  EXPECT_EQ(WalkAll(fs_, root_.path()).count(name), 1u);
}

TEST_F(DirectoryWalkTest, ReportsAMissingFolderAsPathNotFound) {
  WriteBytes(root_ / "file", "x");
  for (const std::string& folder : {std::string(), root_ / "missing", root_ / "missing/deeper", root_ / "file"}) {
    SCOPED_TRACE("folder: '" + folder + "'");
    FindData entry;
    int error = 0;
    EXPECT_EQ(fs_.OpenWalk(folder, entry, error), nullptr);
    EXPECT_EQ(error, kErrPathNotFound);
  }
}

TEST_F(DirectoryWalkTest, PassesOtherErrorsOnAsTheirErrno) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads any folder, so an unreadable one cannot be made";
  ASSERT_EQ(mkdir((root_ / "closed").c_str(), 0), 0);
  FindData entry;
  int error = 0;
  EXPECT_EQ(fs_.OpenWalk(root_ / "closed", entry, error), nullptr);
  EXPECT_EQ(error, EACCES);
}

// readdir hands out entries from a buffer filled when the walk starts, so removing them afterwards makes
// the stat of each one fail while readdir still delivers it.
TEST_F(DirectoryWalkTest, StillDeliversEntriesThatVanishDuringTheWalk) {
  WriteBytes(root_ / "file", "x");
  ASSERT_EQ(mkdir((root_ / "folder").c_str(), 0755), 0);
  ASSERT_EQ(symlink("file", (root_ / "link").c_str()), 0);
  FindData entry;
  int error = -1;
  auto walk = fs_.OpenWalk(root_.path(), entry, error);
  ASSERT_NE(walk, nullptr);
  for (const char* name : {"file", "folder", "link"}) ASSERT_EQ(std::remove((root_ / name).c_str()), 0);

  Listing listing;
  do listing.emplace(entry.name, entry.attributes);
  while ((error = walk->Next(entry)) == 0);
  EXPECT_EQ(error, kErrNoMoreFiles);
  const Listing expected = {{".", 0x12}, {"..", 0x12}, {"file", 0x20}, {"folder", 0x10}, {"link", 0x420}};
  EXPECT_EQ(listing, expected);
}

}  // namespace
}  // namespace kelvora
