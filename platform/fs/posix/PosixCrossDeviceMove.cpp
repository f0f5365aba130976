#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/fs/posix/PosixFd.h"
#include "platform/fs/posix/PosixFileSystem.h"
#include "platform/fs/posix/PosixPath.h"
#include "platform/fs/posix/PosixPendingCopy.h"

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

// The copy while it is written, in the destination folder: unnamed where the file system allows it, so
// that it vanishes by itself whatever fails; else under a hidden name, locked while this object holds it,
// that goes with this object unless the copy took its final name.
class PendingCopy {
 public:
  PendingCopy(const std::string& folder, bool unnamed) {
    if (unnamed) fd_.reset(open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600));
    if (fd_) return;
    fd_.reset(CreateLockedPendingCopy(folder, hiddenPath_));
    if (!fd_) {
      error_ = errno;
      hiddenPath_.clear();
    }
  }
  PendingCopy(const PendingCopy&) = delete;
  PendingCopy& operator=(const PendingCopy&) = delete;
  ~PendingCopy() {
    if (!hiddenPath_.empty()) unlink(hiddenPath_.c_str());
  }

  int fd() const { return fd_.get(); }
  int error() const { return error_; }
  bool unnamed() const { return hiddenPath_.empty(); }
  const std::string& hiddenPath() const { return hiddenPath_; }
  void Named() { hiddenPath_.clear(); }

 private:
  UniqueFd fd_;
  std::string hiddenPath_;
  int error_ = 0;
};

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

}  // namespace

int PosixFileSystem::MoveAcrossFileSystems(const std::string& from, const std::string& to) const {
  struct stat listed;
  if (lstat(from.c_str(), &listed) != 0) return errno;
  if (!S_ISREG(listed.st_mode) && !S_ISLNK(listed.st_mode)) return EXDEV;
  // Saves copying a large file only to find the name taken; the naming below still refuses it anyway.
  struct stat taken;
  if (lstat(to.c_str(), &taken) == 0) return EEXIST;
  if (const int error = CheckRemovable(ParentFolder(from), hooks_)) return error;

  struct stat placed;
  int error = S_ISLNK(listed.st_mode) ? PlaceLinkCopy(from, to, placed) : PlaceFileCopy(from, to, listed, placed);
  if (error != 0) return error;
  error = SyncFolder(ParentFolder(to));
  if (error == 0 && hooks_.beforeSourceRemoval) error = hooks_.beforeSourceRemoval();
  if (error == 0) error = RemoveIfUnchanged(from, listed);
  if (error != 0) TakeBack(to, placed);
  return error;
}

int PosixFileSystem::PlaceFileCopy(const std::string& from, const std::string& to, const struct stat& listed,
                                   struct stat& placed) const {
  const UniqueFd source(open(from.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
  if (!source) return errno;
  struct stat opened;
  if (fstat(source.get(), &opened) != 0) return errno;
  if (!SameStamp(opened, listed)) return EBUSY;

  PendingCopy copy(ParentFolder(to), strategy_ != MoveStrategy::kReserveThenRename);
  if (copy.fd() < 0) return copy.error();
  if (const int error = CopyContent(source.get(), copy.fd(), listed, hooks_, progress_)) return error;
  CarryOverAttributes(copy.fd(), listed, hooks_);
  if (fsync(copy.fd()) != 0 || fstat(copy.fd(), &placed) != 0) return errno;
  const int error = copy.unnamed() ? LinkUnnamed(copy.fd(), to) : MoveOnOneFileSystem(copy.hiddenPath(), to);
  if (error == 0) copy.Named();
  return error;
}

}  // namespace kelvora
