#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "platform/MoveStrategyName.h"
#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

using test::Exists;
using test::Names;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// Several chunks of the copy, so that a fault after the first one lands in the middle.
std::string PhotoBytes() {
  std::string bytes(300 * 1024, '\0');
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 % 251);
  return bytes;
}

// 2001-02-03 04:05:06.123456789, far from now, so that any write to the source moves its time.
constexpr struct timespec kOldTime = {981173106, 123456789};

// The first disk folder that lies on another device than /dev/shm: the temporary folder, else the
// folder the tests run in (the build folder).
std::string DiskBaseApartFrom(dev_t memory) {
  for (const std::string& base : {TempFolder::DefaultBase(), std::string(".")}) {
    struct stat status;
    if (stat(base.c_str(), &status) == 0 && status.st_dev != memory) return base;
  }
  return {};
}

// Moves from a folder in memory (/dev/shm) to one on disk, once per strategy: the strongest one copies
// into an unnamed file, the weakest into a hidden one.
class CrossDeviceMoveTest : public ::testing::TestWithParam<MoveStrategy> {
 protected:
  void SetUp() override {
    struct stat memory;
    if (stat("/dev/shm", &memory) != 0) GTEST_SKIP() << "no /dev/shm on this machine";
    const std::string disk = DiskBaseApartFrom(memory.st_dev);
    if (disk.empty()) GTEST_SKIP() << "/dev/shm, $TMPDIR and the build folder share one device";
    source_.emplace("/dev/shm");
    dest_.emplace(disk);
    from_ = *source_ / "from";
    to_ = *dest_ / "to";
  }

  void WriteSource(const std::string& bytes) {
    WriteBytes(from_, bytes);
    const struct timespec times[2] = {kOldTime, kOldTime};
    ASSERT_EQ(utimensat(AT_FDCWD, from_.c_str(), times, 0), 0);
  }

  PosixFileSystem Fs(PosixFileSystemHooks hooks = {}) const { return PosixFileSystem(GetParam(), std::move(hooks)); }

  // A failed move leaves the source where it was and nothing at all in the destination folder.
  void ExpectNothingMoved(const std::string& sourceBytes) {
    EXPECT_EQ(ReadBytes(from_), sourceBytes);
    EXPECT_EQ(Names(source_->path()), std::vector<std::string>{"from"});
    EXPECT_TRUE(Names(dest_->path()).empty()) << "partial copy or temporary file left behind";
  }

  std::optional<TempFolder> source_;
  std::optional<TempFolder> dest_;
  std::string from_;
  std::string to_;
};

INSTANTIATE_TEST_SUITE_P(EveryLevel, CrossDeviceMoveTest, ::testing::ValuesIn(test::kAllMoveStrategies),
                         test::MoveStrategyName);

TEST_P(CrossDeviceMoveTest, MovesAFileWithItsBytesTimeAndMode) {
  WriteSource(PhotoBytes());
  ASSERT_EQ(chmod(from_.c_str(), 0640), 0);
  EXPECT_EQ(Fs().MoveNoReplace(from_, to_), kMoveOk);
  EXPECT_FALSE(Exists(from_));
  EXPECT_EQ(ReadBytes(to_), PhotoBytes());
  const struct stat moved = test::LinkStatus(to_);
  EXPECT_EQ(moved.st_mode & 07777, 0640u);
  EXPECT_EQ(moved.st_mtim.tv_sec, kOldTime.tv_sec);
  EXPECT_EQ(moved.st_mtim.tv_nsec, kOldTime.tv_nsec);
  EXPECT_EQ(Names(dest_->path()), std::vector<std::string>{"to"});
}

// A destination that cannot store the owner, the mode or the times still takes the file, with every byte;
// what it can store it keeps.
TEST_P(CrossDeviceMoveTest, CarriesOwnerModeAndTimesOverAsFarAsTheDestinationAllows) {
  for (const CopiedAttribute refused : {CopiedAttribute::kOwner, CopiedAttribute::kMode, CopiedAttribute::kTimes}) {
    for (const int error : {ENOSYS, EPERM, ENOTSUP}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(refused)) + " fails with " + std::to_string(error));
      WriteSource(PhotoBytes());
      ASSERT_EQ(chmod(from_.c_str(), 0640), 0);
      PosixFileSystemHooks hooks;
      hooks.beforeCopyAttribute = [refused, error](CopiedAttribute attribute) {
        return attribute == refused ? error : 0;
      };
      EXPECT_EQ(Fs(hooks).MoveNoReplace(from_, to_), kMoveOk);
      EXPECT_FALSE(Exists(from_));
      EXPECT_EQ(ReadBytes(to_), PhotoBytes());
      const struct stat moved = test::LinkStatus(to_);
      if (refused != CopiedAttribute::kMode) {
        EXPECT_EQ(moved.st_mode & 07777, 0640u);
      }
      if (refused != CopiedAttribute::kTimes) {
        EXPECT_EQ(moved.st_mtim.tv_sec, kOldTime.tv_sec);
      }
      EXPECT_EQ(Names(dest_->path()), std::vector<std::string>{"to"});
      ASSERT_EQ(std::remove(to_.c_str()), 0);
    }
  }
}

// Moved by root, a file keeps its owner and group, so its owner can still open it.
TEST_P(CrossDeviceMoveTest, KeepsTheOwnerWhereTheProcessMaySetIt) {
  if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another owner";
  WriteSource(PhotoBytes());
  ASSERT_EQ(chown(from_.c_str(), 4321, 8765), 0);
  ASSERT_EQ(chmod(from_.c_str(), 0640), 0);
  EXPECT_EQ(Fs().MoveNoReplace(from_, to_), kMoveOk);
  const struct stat moved = test::LinkStatus(to_);
  EXPECT_EQ(moved.st_uid, 4321u);
  EXPECT_EQ(moved.st_gid, 8765u);
  EXPECT_EQ(moved.st_mode & 07777, 0640u) << "the mode is set after the owner, which would clear it";
}

// Another batch cleaning the destination while this move writes its copy there leaves the copy alone.
TEST_P(CrossDeviceMoveTest, ACopyBeingWrittenIsNoStaleCopy) {
  WriteSource(PhotoBytes());
  const std::string dest = dest_->path();
  std::vector<std::string> duringCopy;
  PosixFileSystemHooks hooks;
  hooks.afterCopyChunk = [&](std::uint64_t) {
    PosixFileSystem().RemoveStaleMoveCopies(dest);
    if (duringCopy.empty()) duringCopy = Names(dest);
    return 0;
  };
  EXPECT_EQ(Fs(hooks).MoveNoReplace(from_, to_), kMoveOk);
  EXPECT_EQ(ReadBytes(to_), PhotoBytes());
  EXPECT_EQ(Names(dest), std::vector<std::string>{"to"});
  if (GetParam() == MoveStrategy::kReserveThenRename) {
    ASSERT_EQ(duringCopy.size(), 1u) << "the weakest level writes its copy under a hidden name";
    EXPECT_EQ(duringCopy.front().rfind(".kelvora-move-", 0), 0u);
  }
}

TEST_P(CrossDeviceMoveTest, MovesALinkAsALink) {
  ASSERT_EQ(symlink("../somewhere/else", from_.c_str()), 0);
  EXPECT_EQ(Fs().MoveNoReplace(from_, to_), kMoveOk);
  EXPECT_FALSE(Exists(from_));
  EXPECT_EQ(std::filesystem::read_symlink(to_), "../somewhere/else");
}

TEST_P(CrossDeviceMoveTest, NeverReplacesAnExistingTarget) {
  WriteSource("mine");
  WriteBytes(to_, "theirs");
  EXPECT_EQ(Fs().MoveNoReplace(from_, to_), kMoveTargetExists);
  EXPECT_EQ(ReadBytes(from_), "mine");
  EXPECT_EQ(ReadBytes(to_), "theirs");
  EXPECT_EQ(Names(dest_->path()), std::vector<std::string>{"to"});
}

TEST_P(CrossDeviceMoveTest, LeavesAFolderWhereItIs) {
  ASSERT_EQ(mkdir(from_.c_str(), 0755), 0);
  WriteBytes(from_ + "/inside", "kept");
  EXPECT_EQ(Fs().MoveNoReplace(from_, to_), kMoveCrossDevice);
  EXPECT_EQ(ReadBytes(from_ + "/inside"), "kept");
  EXPECT_TRUE(Names(dest_->path()).empty());
}

TEST_P(CrossDeviceMoveTest, KeepsEveryByteWhateverFailsOnTheWay) {
  const std::string original = PhotoBytes();
  const std::string from = from_;
  struct Case {
    const char* name;
    PosixFileSystemHooks hooks;
    int expected;
    std::string sourceAfter;
  };
  const auto failAfterFirstChunk = [](int error) {
    return [error](std::uint64_t) { return error; };
  };
  const auto appendToSource = [from, fired = false](std::uint64_t) mutable {
    if (!std::exchange(fired, true)) WriteBytes(from, ReadBytes(from) + "more");
    return 0;
  };
  const auto rewriteFirstByte = [from](std::uint64_t) {
    const int fd = open(from.c_str(), O_WRONLY);
    const bool written = fd >= 0 && pwrite(fd, "!", 1, 0) == 1;
    if (fd >= 0) close(fd);
    return written ? 0 : EIO;
  };
  const auto replaceSource = [from]() {
    WriteBytes(from + ".new", "a newer version");
    return std::rename((from + ".new").c_str(), from.c_str()) == 0 ? 0 : EIO;
  };
  const auto failWith = [](int error) { return [error]() { return error; }; };
  const auto refuseRemoval = [](int error) { return [error](const std::string&) { return error; }; };
  // With the source's removal refused, a copy must not even begin; EDOM from it would tell.
  const auto anyCopy = failAfterFirstChunk(EDOM);

  const Case cases[] = {
      {"fault between copy and removal", {.beforeSourceRemoval = failWith(EIO)}, EIO, original},
      {"disk full in mid-copy", {.afterCopyChunk = failAfterFirstChunk(ENOSPC)}, ENOSPC, original},
      {"source grows during the copy", {.afterCopyChunk = appendToSource}, kMoveSourceChanged, original + "more"},
      {"source rewritten during the copy", {.afterCopyChunk = rewriteFirstByte}, kMoveSourceChanged,
       "!" + original.substr(1)},
      {"source replaced before its removal", {.beforeSourceRemoval = replaceSource}, kMoveSourceChanged,
       "a newer version"},
      {"source folder not writable",
       {.checkSourceRemovable = refuseRemoval(EACCES), .afterCopyChunk = anyCopy},
       kMoveAccessDenied, original},
      {"source on a read-only file system",
       {.checkSourceRemovable = refuseRemoval(EROFS), .afterCopyChunk = anyCopy}, kMoveReadOnly,
       original},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteSource(original);
    EXPECT_EQ(Fs(c.hooks).MoveNoReplace(from_, to_), c.expected);
    ExpectNothingMoved(c.sourceAfter);
  }
}

// A stop asked for in the middle of a copy: the copy goes, the source stays, and later moves are unaffected.
TEST_P(CrossDeviceMoveTest, AbandonsACopyWhenAskedToStop) {
  struct StopAfterFirstBlock final : MoveProgress {
    bool Continue(std::uint64_t bytesCopied) override {
      reports.push_back(bytesCopied);
      return false;
    }
    std::vector<std::uint64_t> reports;
  } stop;
  WriteSource(PhotoBytes());
  PosixFileSystem fs = Fs();
  fs.SetMoveProgress(&stop);
  EXPECT_EQ(fs.MoveNoReplace(from_, to_), kMoveAbandoned);
  EXPECT_EQ(stop.reports.size(), 1u);
  EXPECT_LT(stop.reports.front(), PhotoBytes().size());
  ExpectNothingMoved(PhotoBytes());

  fs.SetMoveProgress(nullptr);
  EXPECT_EQ(fs.MoveNoReplace(from_, to_), kMoveOk);
  EXPECT_EQ(ReadBytes(to_), PhotoBytes());
}

// Moves grouped as the folder batch groups them: copied at once, but named, flushed and their sources removed
// only when the group is completed, so a crash before that leaves every source where it was.
TEST_P(CrossDeviceMoveTest, AGroupNamesItsCopiesAndRemovesItsSourcesOnlyWhenCompleted) {
  const std::string second = *source_ / "second";
  WriteSource(PhotoBytes());
  WriteBytes(second, "second");
  PosixFileSystem fs = Fs();
  fs.GroupMoves(true);
  EXPECT_EQ(fs.MoveNoReplace(from_, to_), kMoveOk);
  EXPECT_EQ(fs.MoveNoReplace(second, *dest_ / "2nd"), kMoveOk);
  EXPECT_EQ(fs.MoveNoReplace(second, to_), kMoveTargetExists) << "a name the group holds is taken";
  EXPECT_EQ(Names(source_->path()), (std::vector<std::string>{"from", "second"}));
  EXPECT_FALSE(Exists(to_));
  EXPECT_FALSE(Exists(*dest_ / "2nd"));

  EXPECT_EQ(fs.CompleteMoves(), std::vector<MoveFailure>{});
  EXPECT_TRUE(Names(source_->path()).empty());
  EXPECT_EQ(Names(dest_->path()), (std::vector<std::string>{"2nd", "to"}));
  EXPECT_EQ(ReadBytes(to_), PhotoBytes());
  EXPECT_EQ(ReadBytes(*dest_ / "2nd"), "second");
}

TEST_P(CrossDeviceMoveTest, AGroupReportsWhatChangedBeforeItWasCompletedAndDoesTheRest) {
  const std::string second = *source_ / "second";
  const std::string secondTo = *dest_ / "2nd";
  struct Case {
    const char* name;
    std::function<void()> meddle;
    int error;
    std::string sourceAfter;
    std::vector<std::string> destAfter;
  };
  const std::string from = from_;
  const std::string to = to_;
  const Case cases[] = {
      {"name taken meanwhile", [to] { WriteBytes(to, "theirs"); }, kMoveTargetExists, "mine",
       {"2nd", "to"}},
      {"source changed meanwhile", [from] { WriteBytes(from, "changed"); }, kMoveSourceChanged, "changed",
       {"2nd"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteSource("mine");
    WriteBytes(second, "second");
    PosixFileSystem fs = Fs();
    fs.GroupMoves(true);
    ASSERT_EQ(fs.MoveNoReplace(from_, to_), kMoveOk);
    ASSERT_EQ(fs.MoveNoReplace(second, secondTo), kMoveOk);
    c.meddle();
    EXPECT_EQ(fs.CompleteMoves(), (std::vector<MoveFailure>{{from_, to_, c.error}}));
    EXPECT_EQ(ReadBytes(from_), c.sourceAfter);
    EXPECT_EQ(Names(dest_->path()), c.destAfter);
    EXPECT_EQ(ReadBytes(secondTo), "second");
    EXPECT_FALSE(Exists(second));
    for (const std::string& name : Names(dest_->path())) unlink((*dest_ / name).c_str());
  }
}

TEST_P(CrossDeviceMoveTest, EndingAGroupDropsWhatWasNotCompleted) {
  WriteSource(PhotoBytes());
  PosixFileSystem fs = Fs();
  fs.GroupMoves(true);
  ASSERT_EQ(fs.MoveNoReplace(from_, to_), kMoveOk);
  fs.GroupMoves(false);
  ExpectNothingMoved(PhotoBytes());
  EXPECT_EQ(fs.CompleteMoves(), std::vector<MoveFailure>{});
  ExpectNothingMoved(PhotoBytes());
  EXPECT_EQ(fs.MoveNoReplace(from_, to_), kMoveOk) << "out of a group, a move is done at once";
  EXPECT_EQ(ReadBytes(to_), PhotoBytes());
}

TEST_P(CrossDeviceMoveTest, CopiesNothingFromAFolderThatKeepsItsFiles) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any folder; the hooked cases cover this for root";
  WriteSource("x");
  ASSERT_EQ(chmod(source_->path().c_str(), 0555), 0);
  EXPECT_EQ(Fs().MoveNoReplace(from_, to_), kMoveAccessDenied);
  ExpectNothingMoved("x");
}

TEST_P(CrossDeviceMoveTest, SortsErrorsIntoTheClassesTheBatchesActOn) {
  // A busy source during a move across file systems is one that changed while it was copied.
  const std::pair<int, int> cases[] = {
      {EACCES, kMoveAccessDenied},   {EPERM, kMoveAccessDenied},      {EBUSY, kMoveSourceChanged},
      {ETXTBSY, kMoveAccessDenied},  {EEXIST, kMoveTargetExists},     {ENOTEMPTY, kMoveTargetExists},
      {EINVAL, kMoveInvalidName},    {EILSEQ, kMoveInvalidName},      {ENOENT, kMoveVanished},
      {ENOSPC, kMoveNoSpace},        {EDQUOT, kMoveQuotaExceeded},    {EROFS, kMoveReadOnly},
      {EFBIG, kMoveTooLarge},        {EXDEV, kMoveCrossDevice},       {ENAMETOOLONG, ENAMETOOLONG},
      {EIO, EIO},
  };
  WriteSource("x");
  for (const auto& [error, expected] : cases) {
    SCOPED_TRACE(error);
    PosixFileSystemHooks hooks;
    hooks.checkSourceRemovable = [error](const std::string&) { return error; };
    EXPECT_EQ(Fs(hooks).MoveNoReplace(from_, to_), expected);
  }
  ExpectNothingMoved("x");
}

}  // namespace
}  // namespace kelvora
