#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/fs/win32/Win32FileSystem.h"
#include "platform/win32/TempFolder.h"
#include "platform/text/Multibyte.h"

namespace kelvora {
namespace {

std::map<std::string, std::uint32_t> Walk(FileSystem& fs, const std::string& folder) {
  std::map<std::string, std::uint32_t> entries;
  FindData entry;
  int error = 0;
  auto walk = fs.OpenWalk(folder, entry, error);
  EXPECT_EQ(error, 0);
  if (!walk) return entries;
  do entries[entry.name] = entry.attributes;
  while ((error = walk->Next(entry)) == 0);
  EXPECT_EQ(error, kErrNoMoreFiles);
  return entries;
}

// Every entry the system has, move copies included, "." and ".." too.
std::size_t RawEntryCount(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return 0;
  std::size_t count = 0;
  do ++count;
  while (FindNextFileA(find, &found));
  FindClose(find);
  return count;
}

class Win32FileSystemTest : public testing::Test {
 protected:
  Win32FileSystem fs;
  TempFolder folder;
};

TEST_F(Win32FileSystemTest, WalkGivesTheSystemsAttributeWords) {
  Write(folder / "plain.jpg", "a");
  Write(folder / "hidden.jpg", "b");
  SetFileAttributesA((folder / "hidden.jpg").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
  Write(folder / "locked.jpg", "c");
  SetFileAttributesA((folder / "locked.jpg").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
  CreateDirectoryA((folder / "sub").c_str(), nullptr);

  const auto entries = Walk(fs, folder.path());
  EXPECT_EQ(entries.at("plain.jpg"), kAttrNormal);
  EXPECT_EQ(entries.at("hidden.jpg"), kAttrNormal | kAttrHidden);
  EXPECT_EQ(entries.at("locked.jpg"), kAttrNormal | kAttrReadOnly);
  EXPECT_EQ(entries.at("sub") & kAttrDirectory, kAttrDirectory);
  EXPECT_EQ(entries.count("."), 1u);

  FindData first;
  int error = 0;
  for (const std::string& missing : {folder / "nothing", folder / "nothing\\deeper", std::string()}) {
    EXPECT_EQ(fs.OpenWalk(missing, first, error), nullptr);
    EXPECT_EQ(error, kErrPathNotFound) << missing;
  }
}

TEST_F(Win32FileSystemTest, MoveRenamesIntoAnotherFolderAndNeverReplaces) {
  CreateDirectoryA((folder / "dst").c_str(), nullptr);
  Write(folder / "a.jpg", "new");
  Write(folder / "dst\\taken.jpg", "old");

  EXPECT_EQ(fs.MoveNoReplace(folder / "a.jpg", folder / "dst\\taken.jpg"), kMoveTargetExists);
  EXPECT_EQ(Read(folder / "a.jpg"), "new");
  EXPECT_EQ(Read(folder / "dst\\taken.jpg"), "old");

  EXPECT_EQ(fs.MoveNoReplace(folder / "a.jpg", folder / "dst\\b.jpg"), kMoveOk);
  EXPECT_FALSE(Exists(folder / "a.jpg"));
  EXPECT_EQ(Read(folder / "dst\\b.jpg"), "new");
}

TEST_F(Win32FileSystemTest, ErrorsComeBackInTheBatchesClasses) {
  Write(folder / "a.jpg", "a");
  EXPECT_EQ(fs.MoveNoReplace(folder / "a.jpg", folder / "a<b>.jpg"), kMoveInvalidName);
  EXPECT_EQ(fs.MoveNoReplace(folder / "gone.jpg", folder / "b.jpg"), ENOENT);
  {
    // Another program holds the file open and lets nobody delete or rename it.
    const HANDLE held = CreateFileA((folder / "a.jpg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(fs.MoveNoReplace(folder / "a.jpg", folder / "b.jpg"), kMoveAccessDenied);
    CloseHandle(held);
  }
  EXPECT_EQ(Read(folder / "a.jpg"), "a");
}

// A name whose Shift-JIS bytes end in 0x5C, the byte of the separator.
TEST_F(Win32FileSystemTest, ShiftJisNamesEndingInTheSeparatorByteMove) {
  if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese code page";
  const std::string hyo = "\x95\x5C";  // 表
  const std::string so = "\x83\x5C";   // ソ
  ASSERT_TRUE(CreateDirectoryA((folder / hyo).c_str(), nullptr));
  Write(folder / hyo + "\\" + so, "x");
  EXPECT_EQ(Walk(fs, folder / hyo).count(so), 1u);
  EXPECT_EQ(fs.MoveNoReplace(folder / hyo + "\\" + so, folder / so + ".jpg"), kMoveOk);
  EXPECT_EQ(Read(folder / so + ".jpg"), "x");
}

// The walk spells a name the code page lacks with '?': moving it must fail, never hit another file.
TEST_F(Win32FileSystemTest, NameTheCodePageCannotSpellIsNotMoved) {
  const std::wstring wide = std::wstring(folder.path().begin(), folder.path().end()) + L"\\\u0E01.jpg";
  const HANDLE created = CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(created, INVALID_HANDLE_VALUE);
  CloseHandle(created);
  std::string spelt;
  for (const auto& [name, attributes] : Walk(fs, folder.path()))
    if (name != "." && name != "..") spelt = name;
  ASSERT_FALSE(spelt.empty());
  EXPECT_NE(fs.MoveNoReplace(folder / spelt, folder / "b.jpg"), kMoveOk);
  EXPECT_FALSE(Exists(folder / "b.jpg"));
  EXPECT_NE(GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Win32FileSystemTest, SameFolderSeesThroughSpellings) {
  CreateDirectoryA((folder / "Sub").c_str(), nullptr);
  EXPECT_TRUE(fs.SameFolder(folder / "Sub", folder / "sub\\.\\"));
  EXPECT_FALSE(fs.SameFolder(folder / "Sub", folder.path()));
  EXPECT_FALSE(fs.SameFolder(folder / "none", folder / "none"));
}

TEST_F(Win32FileSystemTest, OneFileHasOneIdUnderEveryName) {
  Write(folder / "a.jpg", "a");
  Write(folder / "b.jpg", "b");
  ASSERT_TRUE(CreateHardLinkA((folder / "link.jpg").c_str(), (folder / "a.jpg").c_str(), nullptr));
  const auto a = fs.IdentifyFile(folder / "a.jpg", false);
  const auto link = fs.IdentifyFile(folder / "link.jpg", true);
  const auto b = fs.IdentifyFile(folder / "b.jpg", false);
  ASSERT_TRUE(a && link && b);
  EXPECT_EQ(a->inode, link->inode);
  EXPECT_EQ(a->device, link->device);
  EXPECT_NE(a->inode, b->inode);
  EXPECT_FALSE(fs.IdentifyFile(folder / "none.jpg", false));

  FindData entry;
  int error = 0;
  auto walk = fs.OpenWalk(folder.path(), entry, error);
  ASSERT_NE(walk, nullptr);
  while (entry.name != "a.jpg") ASSERT_EQ(walk->Next(entry), 0);
  EXPECT_EQ(entry.id.inode, a->inode) << "the walk tells the same id";
}

// What a crash in the middle of a move to another volume leaves: its hidden copy beside the target.
TEST_F(Win32FileSystemTest, StaleMoveCopiesAreNeitherWalkedNorKept) {
  const auto hiddenFile = [&](const std::string& name) {
    Write(folder / name, "partial");
    SetFileAttributesA((folder / name).c_str(), FILE_ATTRIBUTE_HIDDEN);
  };
  hiddenFile("kvr1A.tmp");
  hiddenFile("kvrBEEF.tmp");
  Write(folder / "kvr2.tmp", "a file of the user's");
  const auto names = Walk(fs, folder.path());
  EXPECT_EQ(names.count("kvr1A.tmp") + names.count("kvrBEEF.tmp"), 0u);
  EXPECT_EQ(names.count("kvr2.tmp"), 1u);

  // A running move holds its copy open for no one else.
  const HANDLE running = CreateFileA((folder / "kvrBEEF.tmp").c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_HIDDEN, nullptr);
  ASSERT_NE(running, INVALID_HANDLE_VALUE);
  fs.RemoveStaleMoveCopies(folder.path());
  CloseHandle(running);
  EXPECT_FALSE(Exists(folder / "kvr1A.tmp"));
  EXPECT_TRUE(Exists(folder / "kvrBEEF.tmp"));
  EXPECT_EQ(Read(folder / "kvr2.tmp"), "a file of the user's");
}

TEST_F(Win32FileSystemTest, SettingsFileIsReplacedWholeOrNotAtAll) {
  const std::string ini = folder / "Kelvora.ini";
  EXPECT_EQ(fs.ReplaceFile(ini, "first\r\n"), ReplaceFileResult::kOk);
  EXPECT_EQ(fs.ReplaceFile(ini, "second\t\n"), ReplaceFileResult::kOk);
  EXPECT_EQ(Read(ini), "second\t\n");
  EXPECT_EQ(fs.ReadFirstLine(ini, 4096).line, "second\t\n");
  EXPECT_EQ(fs.ReadFirstLine(ini, 3).line, "sec");

  SetFileAttributesA(ini.c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(fs.ReplaceFile(ini, "third"), ReplaceFileResult::kOpenFailed);
  EXPECT_EQ(Read(ini), "second\t\n");
  EXPECT_EQ(RawEntryCount(folder.path()), 3u) << "no temporary file is left";
  EXPECT_EQ(fs.ReadFirstLine(folder / "none.ini", 4096).status, ReadLineResult::kOpenFailed);
  EXPECT_NE(fs.ReadFirstLine("NUL", 4096).status, ReadLineResult::kOk) << "a device is never read";
}

// Answers the copy's progress; stops it once `stopAfter` bytes are copied.
struct StopAfter : MoveProgress {
  explicit StopAfter(std::uint64_t bytes) : stopAfter(bytes) {}
  bool Continue(std::uint64_t copied) override {
    calls++;
    return copied < stopAfter;
  }
  std::uint64_t stopAfter;
  int calls = 0;
};

// Another volume on another file system: script/test-windows maps a drive to a folder in /dev/shm and
// names it in KELVORA_OTHER_VOLUME.
class CrossVolumeTest : public Win32FileSystemTest {
 protected:
  void SetUp() override {
    const char* volume = std::getenv("KELVORA_OTHER_VOLUME");
    if (volume == nullptr || *volume == '\0') GTEST_SKIP() << "no second volume";
    other = std::make_unique<TempFolder>(volume);
  }
  std::unique_ptr<TempFolder> other;
};

TEST_F(CrossVolumeTest, MoveCopiesThenRemovesTheSource) {
  const std::string content(300 * 1024, 'k');
  Write(folder / "a.jpg", content);
  SetFileAttributesA((folder / "a.jpg").c_str(), FILE_ATTRIBUTE_READONLY);
  StopAfter progress(UINT64_MAX);
  fs.SetMoveProgress(&progress);
  EXPECT_EQ(fs.MoveNoReplace(folder / "a.jpg", *other / "b.jpg"), kMoveOk);
  EXPECT_FALSE(Exists(folder / "a.jpg"));
  EXPECT_EQ(Read(*other / "b.jpg"), content);
  EXPECT_TRUE(GetFileAttributesA((*other / "b.jpg").c_str()) & FILE_ATTRIBUTE_READONLY);
  EXPECT_GE(progress.calls, 3);
  EXPECT_EQ(RawEntryCount(other->path()), 3u);
}

TEST_F(CrossVolumeTest, FailedMoveKeepsTheSourceAndLeavesNoCopy) {
  const std::string content(300 * 1024, 'k');
  Write(folder / "a.jpg", content);
  Write(*other / "taken.jpg", "old");
  EXPECT_EQ(fs.MoveNoReplace(folder / "a.jpg", *other / "taken.jpg"), kMoveTargetExists);
  EXPECT_EQ(Read(*other / "taken.jpg"), "old");

  StopAfter progress(128 * 1024);
  fs.SetMoveProgress(&progress);
  EXPECT_EQ(fs.MoveNoReplace(folder / "a.jpg", *other / "b.jpg"), kMoveAbandoned);
  EXPECT_EQ(Read(folder / "a.jpg"), content);
  EXPECT_EQ(RawEntryCount(other->path()), 3u) << "only ., .. and taken.jpg";

  CreateDirectoryA((folder / "sub").c_str(), nullptr);
  EXPECT_EQ(fs.MoveNoReplace(folder / "sub", *other / "sub"), kMoveCrossDevice);
  EXPECT_TRUE(Exists(folder / "sub"));
}

}  // namespace
}  // namespace kelvora
