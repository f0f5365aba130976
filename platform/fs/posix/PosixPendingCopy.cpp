#include "platform/fs/posix/PosixPendingCopy.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/fs/posix/PosixFd.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

constexpr std::size_t kPrefixBytes = sizeof kPendingCopyTemplate - 1 - 6;

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// True while `name` in `folder` still is the file open as `fd`: a batch cleaning up may have taken the name
// between its creation and the lock.
bool StillNamed(int folder, const char* name, int fd) {
  struct stat named;
  struct stat opened;
  return fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && fstat(fd, &opened) == 0 &&
         SameFile(named, opened);
}

struct CloseDir {
  void operator()(DIR* dir) const { closedir(dir); }
};

}  // namespace

bool IsPendingCopyName(const char* name) {
  if (std::strncmp(name, kPendingCopyTemplate, kPrefixBytes) != 0) return false;
  const char* suffix = name + kPrefixBytes;
  // The characters mkstemp draws from, whatever the locale says letters are.
  for (int i = 0; i < 6; ++i) {
    const char c = suffix[i];
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  }
  return suffix[6] == '\0';
}

int CreateLockedPendingCopy(const std::string& folder, std::string& path) {
  // A batch cleaning the folder at this very moment may lock or remove a name just made; a fresh name then.
  for (int attempt = 0; attempt < 3; ++attempt) {
    path = folder + "/" + kPendingCopyTemplate;
    UniqueFd fd(mkostemp(path.data(), O_CLOEXEC));
    if (!fd) return -1;
    if (flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
      if (StillNamed(AT_FDCWD, path.c_str(), fd.get())) return fd.release();
    } else if (errno != EWOULDBLOCK) {
      return fd.release();
    }
  }
  errno = EBUSY;
  return -1;
}

void PosixFileSystem::RemoveStaleMoveCopies(const std::string& folder) {
  const std::unique_ptr<DIR, CloseDir> dir(opendir(folder.c_str()));
  if (!dir) return;
  const int folderFd = dirfd(dir.get());
  while (const dirent* entry = readdir(dir.get())) {
    if (!IsPendingCopyName(entry->d_name)) continue;
    const UniqueFd fd(openat(folderFd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    struct stat opened;
    if (!fd || fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode)) continue;
    // A running move holds its copy locked; a copy nobody can lock stays too.
    if (flock(fd.get(), LOCK_EX | LOCK_NB) != 0) continue;
    if (StillNamed(folderFd, entry->d_name, fd.get())) unlinkat(folderFd, entry->d_name, 0);
  }
}

}  // namespace kelvora
