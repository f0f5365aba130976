#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <utility>
#include <vector>

#include "platform/fs/posix/PosixFd.h"
#include "platform/fs/posix/PosixFileSystem.h"
#include "platform/fs/posix/PosixPath.h"
#include "platform/fs/posix/PosixPendingCopy.h"
#include "platform/fs/posix/PosixPendingMove.h"

namespace kelvora {
namespace {

constexpr std::size_t kCopyChunkBytes = 128 * 1024;
static_assert(ECANCELED == kMoveAbandoned, "an abandoned copy must reach the batches as kMoveAbandoned");

// What tells one state of a file from another; reading it changes none of these.
bool SameStamp(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size &&
         a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec &&
         a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

// Asked before anything is copied: a copy whose source then cannot be removed would leave the file twice.
int CheckRemovable(const std::string& folder, const PosixFileSystemHooks& hooks) {
  if (hooks.checkSourceRemovable) {
    if (const int error = hooks.checkSourceRemovable(folder)) return error;
  }
  if (access(folder.c_str(), W_OK) != 0) return errno;
  struct statvfs volume;
  if (statvfs(folder.c_str(), &volume) != 0) return errno;
  return (volume.f_flag & ST_RDONLY) ? EROFS : 0;
}

// One block from `in` to `out`: in the kernel where it can (copy_file_range, which on some file systems
// does not even move the bytes through memory), else through `buffer`. Returns the bytes copied, 0 at the
// end of the source, or -1 with errno set.
ssize_t CopyBlock(int in, int out, std::vector<char>& buffer, bool& inKernel) {
  if (inKernel) {
    const ssize_t copied = copy_file_range(in, nullptr, out, nullptr, kCopyChunkBytes, 0);
    if (copied >= 0) return copied;
    // Not between these two file systems (EXDEV: tmpfs to ext4, for one), or not on this kernel.
    if (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) return -1;
    inKernel = false;
  }
  buffer.resize(kCopyChunkBytes);
  const ssize_t got = read(in, buffer.data(), buffer.size());
  if (got <= 0) return got;
  if (const int error = WriteAll(out, buffer.data(), static_cast<std::size_t>(got))) {
    errno = error;
    return -1;
  }
  return got;
}

int CopyContent(int in, int out, const struct stat& source, const PosixFileSystemHooks& hooks,
                MoveProgress* progress) {
  std::vector<char> buffer;
  bool inKernel = true;
  std::uint64_t copied = 0;
  for (;;) {
    const ssize_t got = CopyBlock(in, out, buffer, inKernel);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) break;
    copied += static_cast<std::uint64_t>(got);
    if (hooks.afterCopyChunk) {
      if (const int error = hooks.afterCopyChunk(copied)) return error;
    }
    if (progress != nullptr && !progress->Continue(copied)) return ECANCELED;
  }
  return copied == static_cast<std::uint64_t>(source.st_size) ? 0 : EBUSY;
}

int HookedError(const PosixFileSystemHooks& hooks, CopiedAttribute attribute) {
  return hooks.beforeCopyAttribute ? hooks.beforeCopyAttribute(attribute) : 0;
}

// Not allowed to give the file away (only root may): at least its group, where the process belongs to it.
bool KeepOwner(int fd, const struct stat& source) {
  return fchown(fd, source.st_uid, source.st_gid) == 0 || fchown(fd, static_cast<uid_t>(-1), source.st_gid) == 0;
}

// Owner, mode and times follow the source as far as the process and the destination allow, as with mv: a
// file system that cannot store them (many FUSE ones) still takes the file. The bytes are what must arrive.
void CarryOverAttributes(int fd, const struct stat& source, const PosixFileSystemHooks& hooks) {
  // The owner first: changing it clears set-id bits, and it decides whom the mode bits then speak for.
  if (HookedError(hooks, CopiedAttribute::kOwner) == 0) KeepOwner(fd, source);
  if (HookedError(hooks, CopiedAttribute::kMode) == 0) fchmod(fd, source.st_mode & 0777);
  const struct timespec times[2] = {source.st_atim, source.st_mtim};
  if (HookedError(hooks, CopiedAttribute::kTimes) == 0) futimens(fd, times);
}

// linkat refuses a taken name, so this never replaces anything.
int LinkUnnamed(int fd, const std::string& to) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  return linkat(AT_FDCWD, self.c_str(), AT_FDCWD, to.c_str(), AT_SYMLINK_FOLLOW) == 0 ? 0 : errno;
}

int PlaceLinkCopy(const std::string& from, const std::string& to, struct stat& placed) {
  std::string target(PATH_MAX, '\0');
  const ssize_t length = readlink(from.c_str(), target.data(), target.size());
  if (length < 0) return errno;
  if (static_cast<std::size_t>(length) == target.size()) return ENAMETOOLONG;
  target.resize(static_cast<std::size_t>(length));
  if (symlink(target.c_str(), to.c_str()) != 0) return errno;
  return lstat(to.c_str(), &placed) == 0 ? 0 : errno;
}

// A source that changed after it was listed may hold bytes the copy lacks, so it stays and the move fails.
// Checking the name, not the open file, also catches a source replaced by a new file under the same name.
int RemoveIfUnchanged(const std::string& from, const struct stat& listed) {
  struct stat now;
  if (lstat(from.c_str(), &now) != 0) return errno;
  if (!SameStamp(now, listed)) return EBUSY;
  return unlink(from.c_str()) == 0 ? 0 : errno;
}

// Takes the copy's name back only while it still holds the copy, never a file someone put there since.
void TakeBack(const std::string& to, const struct stat& placed) {
  struct stat now;
  if (lstat(to.c_str(), &now) == 0 && now.st_dev == placed.st_dev && now.st_ino == placed.st_ino) {
    unlink(to.c_str());
  }
}

// Each copy's bytes and attributes on disk before any of them takes a name: one flush of the file alone, or
// for a group one flush of each file system the copies are on, which costs no more than a single file's.
int FlushCopies(const std::vector<std::unique_ptr<PendingMove>>& moves) {
  if (moves.size() == 1) return fsync(moves.front()->copy.fd()) == 0 ? 0 : errno;
  std::set<dev_t> flushed;
  for (const std::unique_ptr<PendingMove>& move : moves) {
    struct stat copy;
    if (fstat(move->copy.fd(), &copy) != 0) return errno;
    if (flushed.insert(copy.st_dev).second && syncfs(move->copy.fd()) != 0) return errno;
  }
  return 0;
}

// The folders of the names just given, on disk before any source goes.
int FlushNames(const std::vector<PendingMove*>& named) {
  std::set<std::string> folders;
  for (const PendingMove* move : named) folders.insert(ParentFolder(move->to));
  for (const std::string& folder : folders)
    if (const int error = SyncFolder(folder)) return error;
  return 0;
}

}  // namespace

PendingCopy::PendingCopy(const std::string& folder, bool unnamed) {
  if (unnamed) fd_.reset(open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
  if (fd_) return;
  fd_.reset(CreateLockedPendingCopy(folder, hiddenPath_));
  if (!fd_) {
    error_ = errno;
    hiddenPath_.clear();
  }
}

PendingCopy::~PendingCopy() {
  if (!hiddenPath_.empty()) unlink(hiddenPath_.c_str());
}

PosixFileSystem::~PosixFileSystem() = default;

void PosixFileSystem::GroupMoves(bool on) {
  grouping_ = on;
  if (!on) pending_.clear();
}

int PosixFileSystem::MoveAcrossFileSystems(const std::string& from, const std::string& to) {
  struct stat listed;
  if (lstat(from.c_str(), &listed) != 0) return errno;
  if (!S_ISREG(listed.st_mode) && !S_ISLNK(listed.st_mode)) return EXDEV;
  // Saves copying a large file only to find the name taken; the naming still refuses it anyway.
  struct stat taken;
  const auto takenByGroup = [&to](const std::unique_ptr<PendingMove>& move) { return move->to == to; };
  if (lstat(to.c_str(), &taken) == 0 || std::any_of(pending_.begin(), pending_.end(), takenByGroup)) return EEXIST;
  if (const int error = CheckRemovable(ParentFolder(from), hooks_)) return error;

  if (S_ISLNK(listed.st_mode)) {
    struct stat placed;
    int error = PlaceLinkCopy(from, to, placed);
    if (error == 0) error = SyncFolder(ParentFolder(to));
    return error == 0 ? RemoveSourceOrTakeBack(from, listed, to, placed) : error;
  }
  auto move = std::make_unique<PendingMove>(from, to, listed, ParentFolder(to),
                                            strategy_ != MoveStrategy::kReserveThenRename);
  if (const int error = CopyIntoPending(*move)) return error;
  if (grouping_) {
    pending_.push_back(std::move(move));
    return 0;
  }
  std::vector<std::unique_ptr<PendingMove>> alone;
  alone.push_back(std::move(move));
  const std::vector<MoveFailure> failures = CompleteGroup(alone);
  return failures.empty() ? 0 : failures.front().error;
}

int PosixFileSystem::CopyIntoPending(PendingMove& move) const {
  const UniqueFd source(open(move.from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!source) return errno;
  struct stat opened;
  if (fstat(source.get(), &opened) != 0) return errno;
  if (!SameStamp(opened, move.listed)) return EBUSY;
  if (move.copy.fd() < 0) return move.copy.error();
  if (const int error = CopyContent(source.get(), move.copy.fd(), move.listed, hooks_, progress_)) return error;
  CarryOverAttributes(move.copy.fd(), move.listed, hooks_);
  return 0;
}

int PosixFileSystem::NameCopy(PendingMove& move) const {
  PendingCopy& copy = move.copy;
  const int error = copy.unnamed() ? LinkUnnamed(copy.fd(), move.to) : MoveOnOneFileSystem(copy.hiddenPath(), move.to);
  if (error != 0) return error;
  copy.Named();
  move.named = true;
  return fstat(copy.fd(), &move.placed) == 0 ? 0 : errno;
}

int PosixFileSystem::RemoveSourceOrTakeBack(const std::string& from, const struct stat& listed, const std::string& to,
                                            const struct stat& placed) const {
  int error = hooks_.beforeSourceRemoval ? hooks_.beforeSourceRemoval() : 0;
  if (error == 0) error = RemoveIfUnchanged(from, listed);
  if (error != 0) TakeBack(to, placed);
  return error;
}

// Flushes the copies, names them, flushes the names, removes the sources: in this order, so that a crash at
// any point leaves every file whole under at least one name. Failures come in the order of `moves`, with
// the system's errno.
std::vector<MoveFailure> PosixFileSystem::CompleteGroup(std::vector<std::unique_ptr<PendingMove>>& moves) const {
  std::vector<int> errors(moves.size(), FlushCopies(moves));
  std::vector<PendingMove*> named;
  for (std::size_t i = 0; i < moves.size(); ++i) {
    if (errors[i] == 0) errors[i] = NameCopy(*moves[i]);
    if (moves[i]->named) named.push_back(moves[i].get());
  }
  const int namesError = FlushNames(named);
  for (std::size_t i = 0; i < moves.size(); ++i) {
    PendingMove& move = *moves[i];
    if (!move.named) continue;
    if (namesError != 0) TakeBack(move.to, move.placed);
    errors[i] = namesError != 0 ? namesError : RemoveSourceOrTakeBack(move.from, move.listed, move.to, move.placed);
  }
  std::vector<MoveFailure> failures;
  for (std::size_t i = 0; i < moves.size(); ++i)
    if (errors[i] != 0) failures.push_back({moves[i]->from, moves[i]->to, errors[i]});
  moves.clear();
  return failures;
}

}  // namespace kelvora
