#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

std::uint32_t KindBits(bool folder, bool link) {
  if (folder) return kAttrDirectory;
  return kAttrNormal | (link ? kAttrSymlink : 0u);
}

std::uint32_t AttributesFromMode(mode_t mode) {
  return KindBits(S_ISDIR(mode), S_ISLNK(mode)) | ((mode & S_IWUSR) ? 0u : kAttrReadOnly);
}

// An entry removed between readdir and the stat still gets its kind from readdir itself; whether it was
// read-only is no longer known.
std::uint32_t AttributesFromDirentType(unsigned char type) {
  return KindBits(type == DT_DIR, type == DT_LNK);
}

struct CloseDir {
  void operator()(DIR* dir) const { closedir(dir); }
};

class PosixDirectoryWalk final : public DirectoryWalk {
 public:
  explicit PosixDirectoryWalk(DIR* dir) : dir_(dir) {}

  int Next(FindData& entry) override {
    errno = 0;
    const dirent* found = readdir(dir_.get());
    if (found == nullptr) return errno != 0 ? errno : kErrNoMoreFiles;
    entry.name = found->d_name;
    struct stat status;
    entry.attributes = fstatat(dirfd(dir_.get()), found->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0
                           ? AttributesFromMode(status.st_mode)
                           : AttributesFromDirentType(found->d_type);
    if (entry.name.front() == '.') entry.attributes |= kAttrHidden;
    return 0;
  }

 private:
  std::unique_ptr<DIR, CloseDir> dir_;
};

}  // namespace

std::unique_ptr<DirectoryWalk> PosixFileSystem::OpenWalk(const std::string& folder, FindData& first,
                                                         int& error) {
  if (folder.empty()) {
    error = kErrPathNotFound;
    return nullptr;
  }
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) {
    error = (errno == ENOENT || errno == ENOTDIR) ? kErrPathNotFound : errno;
    return nullptr;
  }
  auto walk = std::make_unique<PosixDirectoryWalk>(dir);
  error = walk->Next(first);
  if (error != 0) return nullptr;
  return walk;
}

}  // namespace kelvora
