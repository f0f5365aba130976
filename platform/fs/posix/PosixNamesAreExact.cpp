#include <fcntl.h>
#include <linux/fs.h>
#include <linux/magic.h>
#include <sys/ioctl.h>
#include <sys/vfs.h>

#include "platform/fs/posix/PosixFd.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

constexpr decltype(statfs::f_type) kF2fsMagic = 0xF2F52010;

}  // namespace

// Only the file systems known to compare names as bytes count. FAT, exFAT, NTFS, CIFS and XFS made
// case-insensitive fold letter case; ext4, f2fs and tmpfs do so in the folders marked case-folding.
bool PosixFileSystem::NamesAreExact(const std::string& folder) {
  const UniqueFd fd(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd) return false;
  struct statfs volume;
  if (fstatfs(fd.get(), &volume) != 0) return false;
  switch (volume.f_type) {
    case BTRFS_SUPER_MAGIC:
      return true;
    case EXT4_SUPER_MAGIC:
    case kF2fsMagic:
    case TMPFS_MAGIC: {
      int flags = 0;
      return ioctl(fd.get(), FS_IOC_GETFLAGS, &flags) == 0 && (flags & FS_CASEFOLD_FL) == 0;
    }
    default:
      return false;
  }
}

}  // namespace kelvora
