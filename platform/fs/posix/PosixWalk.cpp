#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/fs/posix/PosixFileSystem.h"
#include "platform/fs/posix/PosixPendingCopy.h"

namespace kelvora {
namespace {

// The kind of entry as the directory entry tells it. Only a file system that does not say (DT_UNKNOWN) costs
// a stat; an entry gone by then counts as a file, which the move will then not find.
unsigned char EntryType(int folder, const dirent& found) {
  if (found.d_type != DT_UNKNOWN) return found.d_type;
  struct stat status;
  if (fstatat(folder, found.d_name, &status, AT_SYMLINK_NOFOLLOW) != 0) return DT_REG;
  return static_cast<unsigned char>(IFTODT(status.st_mode));
}

// Every folder is a plain folder, whatever its name and permissions, so that folders always stay in place.
std::uint32_t Attributes(unsigned char type, const char* name) {
  if (type == DT_DIR) return kAttrDirectory;
  return kAttrNormal | (type == DT_LNK ? kAttrSymlink : 0u) | (name[0] == '.' ? kAttrHidden : 0u);
}

struct CloseDir {
  void operator()(DIR* dir) const { closedir(dir); }
};

class PosixDirectoryWalk final : public DirectoryWalk {
 public:
  PosixDirectoryWalk(DIR* dir, std::uint64_t device) : dir_(dir), device_(device) {}

  int Next(FindData& entry) override {
    for (;;) {
      errno = 0;
      const dirent* found = readdir(dir_.get());
      if (found == nullptr) return errno != 0 ? errno : kErrNoMoreFiles;
      // A move's hidden copy is no file of the user's, not even one a crash left behind.
      if (IsPendingCopyName(found->d_name)) continue;
      entry.name = found->d_name;
      entry.attributes = Attributes(EntryType(dirfd(dir_.get()), *found), found->d_name);
      entry.id = {device_, found->d_ino};
      return 0;
    }
  }

 private:
  std::unique_ptr<DIR, CloseDir> dir_;
  std::uint64_t device_;
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
  // The entries of a folder lie on its device, so one stat gives every entry's id with the inode of readdir.
  struct stat status;
  if (fstat(dirfd(dir), &status) != 0) {
    error = errno;
    closedir(dir);
    return nullptr;
  }
  auto walk = std::make_unique<PosixDirectoryWalk>(dir, status.st_dev);
  error = walk->Next(first);
  if (error != 0) return nullptr;
  return walk;
}

std::optional<FileId> PosixFileSystem::IdentifyFile(const std::string& path, bool throughLink) {
  struct stat status;
  if ((throughLink ? stat(path.c_str(), &status) : lstat(path.c_str(), &status)) != 0) return std::nullopt;
  return FileId{status.st_dev, status.st_ino};
}

}  // namespace kelvora
