#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/fs/posix/PosixFd.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

// A settings file is often a link into a folder of kept configuration; the file it points to is the one
// to replace, not the link.
std::string ThroughLink(const std::string& path) {
  struct stat status;
  if (lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
  const std::unique_ptr<char, decltype(&std::free)> target(realpath(path.c_str(), nullptr), &std::free);
  return target ? std::string(target.get()) : path;
}

// The mode bits alone decide for every user alike: root passes any access check, yet a file nobody may
// write is meant to stay as it is. O_NONBLOCK keeps a FIFO under the name from blocking the open.
bool Writable(const std::string& path, const struct stat& status) {
  if ((status.st_mode & 0222) == 0) return false;
  return UniqueFd(open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC)).get() >= 0;
}

// umask() can only be read by setting it, which races with other threads creating files; /proc has it
// without side effects. Without /proc, the strictest mask keeps a new file private.
mode_t CurrentUmask() {
  mode_t mask = 077;
  std::FILE* status = std::fopen("/proc/self/status", "re");
  if (status == nullptr) return mask;
  char line[256];
  unsigned int value = 0;
  while (std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "Umask: %o", &value) == 1) {
      mask = static_cast<mode_t>(value);
      break;
    }
  }
  std::fclose(status);
  return mask;
}

}  // namespace

ReplaceFileResult PosixFileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
  const std::string target = ThroughLink(path);
  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  // Only a regular file is a settings file: a FIFO, a device or a folder under the name stays as it is.
  if (exists && (!S_ISREG(old.st_mode) || !Writable(target, old))) return ReplaceFileResult::kOpenFailed;

  std::string temporary = target + ".XXXXXX";
  const UniqueFd fd(mkostemp(temporary.data(), O_CLOEXEC));
  if (!fd) return ReplaceFileResult::kOpenFailed;
  const mode_t mode = exists ? (old.st_mode & 07777) : (0644 & ~CurrentUmask());
  int error = hooks_.beforeReplaceWrite ? hooks_.beforeReplaceWrite() : 0;
  if (error == 0) error = WriteAll(fd.get(), bytes.data(), bytes.size());
  if (error == 0 && fchmod(fd.get(), mode) != 0) error = errno;
  if (error == 0 && fsync(fd.get()) != 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    return ReplaceFileResult::kWriteFailed;
  }
  // The folder is not flushed as well: the file under the name is whole either way, old or new, and a second
  // flush at the end of every batch would cost it as much as renaming a thousand files.
  return ReplaceFileResult::kOk;
}

}  // namespace kelvora
