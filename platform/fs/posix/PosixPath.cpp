#include "platform/fs/posix/PosixPath.h"

namespace kelvora {

std::string ParentFolder(const std::string& path) {
  const std::size_t nameEnd = path.find_last_not_of('/');
  if (nameEnd == std::string::npos) return path.empty() ? "." : "/";
  const std::size_t slash = path.rfind('/', nameEnd);
  if (slash == std::string::npos) return ".";
  const std::size_t folderEnd = path.find_last_not_of('/', slash);
  return folderEnd == std::string::npos ? "/" : path.substr(0, folderEnd + 1);
}

}  // namespace kelvora
