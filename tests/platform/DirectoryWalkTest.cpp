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

// A folder is exactly a plain folder whatever its name and permissions, so no batch ever moves one; a file
// tells whether it is hidden or a link.
TEST_F(DirectoryWalkTest, GivesEachKindOfEntryItsAttributeWord) {
  WriteBytes(root_ / "file", "x");
  WriteBytes(root_ / ".hidden", "x");
  WriteBytes(root_ / "locked", "x");
  ASSERT_EQ(chmod((root_ / "locked").c_str(), 0444), 0);
  ASSERT_EQ(mkdir((root_ / "folder").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((root_ / ".git").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((root_ / "lockedfolder").c_str(), 0555), 0);
  ASSERT_EQ(mkdir((root_ / ".closed").c_str(), 0), 0);
  ASSERT_EQ(symlink("file", (root_ / "tofile").c_str()), 0);
  ASSERT_EQ(symlink("folder", (root_ / "tofolder").c_str()), 0);
  ASSERT_EQ(symlink("nowhere", (root_ / ".dangling").c_str()), 0);

  const Listing expected = {
      {".", 0x10},          {"..", 0x10},        {"file", 0x20},         {".hidden", 0x22},
      {"locked", 0x20},     {"folder", 0x10},    {".git", 0x10},         {"lockedfolder", 0x10},
      {".closed", 0x10},    {"tofile", 0x420},   {"tofolder", 0x420},    {".dangling", 0x422},
  };
  EXPECT_EQ(WalkAll(fs_, root_.path()), expected);
  EXPECT_EQ(WalkAll(fs_, root_.path() + "/"), expected) << "a folder text ending in '/'";
}

// A copy that a move across file systems was writing when the machine went down is none of the user's files.
TEST_F(DirectoryWalkTest, NeverDeliversAMovesHiddenCopy) {
  for (const char* name : {".kelvora-move-Ab12Z9", ".kelvora-move-aaaaaa", ".kelvora-move-Ab12Z", ".kelvora-move-Ab12Z9.jpg",
                           ".kelvora-move-Ab1-Z9", "kelvora-move-Ab12Z9"}) {
    WriteBytes(root_ / name, "partial");
  }
  const Listing expected = {{".", 0x10},
                            {"..", 0x10},
                            {".kelvora-move-Ab12Z", 0x22},
                            {".kelvora-move-Ab12Z9.jpg", 0x22},
                            {".kelvora-move-Ab1-Z9", 0x22},
                            {"kelvora-move-Ab12Z9", 0x20}};
  EXPECT_EQ(WalkAll(fs_, root_.path()), expected);
}

// The batches know the settings file by where it lives. The walk gives every entry that without a stat, and
// it must be what a lookup of the same file under any other name gives.
TEST_F(DirectoryWalkTest, GivesEachEntryTheIdOfTheFileUnderEveryName) {
  ASSERT_EQ(mkdir((root_ / "run").c_str(), 0755), 0);
  WriteBytes(root_ / "Kelvora.ini", "settings");
  ASSERT_EQ(link((root_ / "Kelvora.ini").c_str(), (root_ / "hard-link").c_str()), 0);
  ASSERT_EQ(symlink("../Kelvora.ini", (root_ / "run/Kelvora.ini").c_str()), 0);
  WriteBytes(root_ / "other", "x");

  std::map<std::string, FileId> ids;
  FindData entry;
  int error = -1;
  auto walk = fs_.OpenWalk(root_.path(), entry, error);
  ASSERT_NE(walk, nullptr);
  do ids[entry.name] = entry.id;
  while (walk->Next(entry) == 0);

  const auto same = [](const FileId& a, const FileId& b) { return a.device == b.device && a.inode == b.inode; };
  const std::optional<FileId> settings = fs_.IdentifyFile(root_ / "Kelvora.ini", false);
  ASSERT_TRUE(settings.has_value());
  EXPECT_NE(settings->inode, 0u);
  EXPECT_TRUE(same(ids.at("Kelvora.ini"), *settings));
  EXPECT_TRUE(same(ids.at("hard-link"), *settings));
  EXPECT_FALSE(same(ids.at("other"), *settings));
  for (const std::string& spelling : {root_ / "./Kelvora.ini", root_ / "run/../Kelvora.ini", root_.path() + "//Kelvora.ini"}) {
    SCOPED_TRACE(spelling);
    const std::optional<FileId> id = fs_.IdentifyFile(spelling, false);
    ASSERT_TRUE(id.has_value());
    EXPECT_TRUE(same(*id, *settings));
  }
  const std::optional<FileId> link = fs_.IdentifyFile(root_ / "run/Kelvora.ini", false);
  const std::optional<FileId> target = fs_.IdentifyFile(root_ / "run/Kelvora.ini", true);
  ASSERT_TRUE(link.has_value() && target.has_value());
  EXPECT_FALSE(same(*link, *settings)) << "the link itself is another file";
  EXPECT_TRUE(same(*target, *settings));
  EXPECT_FALSE(fs_.IdentifyFile(root_ / "missing", true).has_value());
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

// readdir hands out entries from a buffer filled when the walk starts, so it still delivers entries removed
// afterwards, each with the kind it had.
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
  const Listing expected = {{".", 0x10}, {"..", 0x10}, {"file", 0x20}, {"folder", 0x10}, {"link", 0x420}};
  EXPECT_EQ(listing, expected);
}

}  // namespace
}  // namespace kelvora
