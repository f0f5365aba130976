#include <fcntl.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "platform/fs/posix/PosixFd.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

ReadLineResult PosixFileSystem::ReadFirstLine(const std::string& path, std::size_t maxBytes) {
  // Opening a FIFO for reading waits for a writer, and reading a device may never end: the open does not
  // wait, and only a regular file is read (for which O_NONBLOCK changes nothing).
  UniqueFd fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd) return {ReadLineResult::kOpenFailed, {}};
  struct stat status;
  if (fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode)) return {ReadLineResult::kReadFailed, {}};
  const std::unique_ptr<std::FILE, CloseFile> file(fdopen(fd.get(), "r"));
  if (!file) return {ReadLineResult::kReadFailed, {}};
  fd.release();
  // Read byte by byte rather than with fgets so that NUL bytes in the line are kept.
  std::string line;
  while (line.size() < maxBytes) {
    const int byte = std::getc(file.get());
    if (byte == EOF) break;
    line.push_back(static_cast<char>(byte));
    if (byte == '\n') break;
  }
  if (line.empty() || std::ferror(file.get())) return {ReadLineResult::kReadFailed, {}};
  return {ReadLineResult::kOk, std::move(line)};
}

}  // namespace kelvora
