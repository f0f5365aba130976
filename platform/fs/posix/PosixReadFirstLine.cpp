#include <cstdio>
#include <memory>

#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

struct CloseFile {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

ReadLineResult PosixFileSystem::ReadFirstLine(const std::string& path, std::size_t maxBytes) {
  const std::unique_ptr<std::FILE, CloseFile> file(std::fopen(path.c_str(), "re"));
  if (!file) return {ReadLineResult::kOpenFailed, {}};
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
