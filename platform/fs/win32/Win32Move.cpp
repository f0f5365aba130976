#include <windows.h>

#include <cerrno>

#include "platform/fs/win32/Win32FileSystem.h"

namespace kelvora {
namespace {

// ERROR_DISK_QUOTA_EXCEEDED of the system's headers, which mingw-w64's lack.
constexpr DWORD kErrorDiskQuotaExceeded = 1295;

// The classes the batches act on, and errno values (as the C runtime's rename would give) for the rest.
int MoveErrorClass(DWORD error) {
  switch (error) {
    case 0:
      return kMoveOk;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:  // another program has the file open
    case ERROR_LOCK_VIOLATION:
      return kMoveAccessDenied;
    case ERROR_BUSY:  // the copy to another volume saw the source change
      return kMoveSourceChanged;
    case ERROR_WRITE_PROTECT:
      return kMoveReadOnly;
    case ERROR_FILE_TOO_LARGE:
      return kMoveTooLarge;
    case kErrorDiskQuotaExceeded:
      return kMoveQuotaExceeded;
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS:
      return kMoveTargetExists;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
      return kMoveInvalidName;
    case ERROR_NOT_SAME_DEVICE:
      return kMoveCrossDevice;
    case ERROR_CANCELLED:
      return kMoveAbandoned;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return kMoveVanished;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return kMoveNoSpace;
    default:
      return EIO;
  }
}

}  // namespace

int Win32FileSystem::MoveNoReplace(const std::string& from, const std::string& to) {
  // Without MOVEFILE_REPLACE_EXISTING the system refuses a taken name itself; without
  // MOVEFILE_COPY_ALLOWED a move to another volume fails, and the copy below takes it over.
  DWORD error = MoveFileExA(from.c_str(), to.c_str(), 0) ? 0 : GetLastError();
  if (error == ERROR_NOT_SAME_DEVICE) error = MoveAcrossVolumes(from, to);
  return MoveErrorClass(error);
}

}  // namespace kelvora
