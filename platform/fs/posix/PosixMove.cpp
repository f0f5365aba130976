#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/fs/posix/PosixFd.h"
#include "platform/fs/posix/PosixFileSystem.h"
#include "platform/fs/posix/PosixPath.h"
#include "platform/fs/posix/PosixPendingMove.h"

namespace kelvora {
namespace {

int MoveErrorClass(int error) {
  switch (error) {
    case ENOENT: return kMoveVanished;
    case EACCES:
    case EPERM:
    case EBUSY:
    case ETXTBSY:
      return kMoveAccessDenied;
    case EEXIST:
    case ENOTEMPTY:
      return kMoveTargetExists;
    case EXDEV: return kMoveCrossDevice;
    case EINVAL:
    case EILSEQ:
      return kMoveInvalidName;
    case EFBIG: return kMoveTooLarge;
    case ENOSPC: return kMoveNoSpace;
    case EROFS: return kMoveReadOnly;
    case EDQUOT: return kMoveQuotaExceeded;
    case ECANCELED: return kMoveAbandoned;
    default: return error;
  }
}

// The copy reports a source that changed under it as busy.
int CrossDeviceErrorClass(int error) { return error == EBUSY ? kMoveSourceChanged : MoveErrorClass(error); }

std::string RealPath(const std::string& path) {
  const std::unique_ptr<char, decltype(&std::free)> resolved(realpath(path.c_str(), nullptr), &std::free);
  return resolved ? std::string(resolved.get()) : std::string();
}

// rename refuses to put a folder inside itself with EINVAL, the same code a file system without
// RENAME_NOREPLACE gives for the flag; only the latter is a reason to try a weaker way.
bool MovesFolderIntoItself(const std::string& from, const std::string& to) {
  struct stat source;
  if (lstat(from.c_str(), &source) != 0 || !S_ISDIR(source.st_mode)) return false;
  const std::string outer = RealPath(from);
  const std::string inner = RealPath(ParentFolder(to));
  if (outer.empty() || inner.empty()) return false;
  return inner == outer || inner.starts_with(outer.back() == '/' ? outer : outer + '/');
}

bool NoReplaceFlagRefused(int error, const std::string& from, const std::string& to) {
  if (error == ENOSYS || error == EOPNOTSUPP) return true;
  return error == EINVAL && !MovesFolderIntoItself(from, to);
}

int LinkThenUnlink(const std::string& from, const std::string& to) {
  if (linkat(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), 0) != 0) return errno;
  if (unlink(from.c_str()) == 0) return 0;
  const int error = errno;
  // A failed move leaves the file under its old name only.
  unlink(to.c_str());
  return error;
}

int ReserveThenRename(const std::string& from, const std::string& to, bool folder) {
  if (folder) {
    if (mkdir(to.c_str(), 0700) != 0) return errno;
  } else {
    const UniqueFd reservation(open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (!reservation) return errno;
  }
  if (rename(from.c_str(), to.c_str()) == 0) return 0;
  const int error = errno;
  remove(to.c_str());
  return error;
}

}  // namespace

int PosixFileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
  const int error = MoveOnOneFileSystem(from, to);
  return error == EXDEV ? CrossDeviceErrorClass(MoveAcrossFileSystems(from, to)) : MoveErrorClass(error);
}

std::vector<MoveFailure> PosixFileSystem::CompleteMoves() {
  std::vector<MoveFailure> failures = CompleteGroup(pending_);
  for (MoveFailure& failure : failures) failure.error = CrossDeviceErrorClass(failure.error);
  return failures;
}

int PosixFileSystem::MoveOnOneFileSystem(const std::string& from, const std::string& to) const {
  if (strategy_ == MoveStrategy::kRenameNoReplace) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
    const int error = errno;
    if (!NoReplaceFlagRefused(error, from, to)) return error;
  }
  struct stat source;
  if (lstat(from.c_str(), &source) != 0) return errno;
  const bool folder = S_ISDIR(source.st_mode);
  if (strategy_ != MoveStrategy::kReserveThenRename && !folder) {
    const int error = LinkThenUnlink(from, to);
    // EPERM and EOPNOTSUPP are how file systems such as vfat say they have no hard links.
    if (error != EPERM && error != EOPNOTSUPP) return error;
  }
  return ReserveThenRename(from, to, folder);
}

}  // namespace kelvora
