#include "platform/fs/posix/PosixFileSystem.h"

#include "platform/fs/posix/PosixPendingMove.h"

#include <utility>

namespace kelvora {

PosixFileSystem::PosixFileSystem(MoveStrategy strategy, PosixFileSystemHooks hooks)
    : strategy_(strategy), hooks_(std::move(hooks)) {}

bool PosixFileSystem::SameFolder(const std::string& a, const std::string& b) {
  struct stat first;
  struct stat second;
  return stat(a.c_str(), &first) == 0 && stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

}  // namespace kelvora
