#include <windows.h>

#include <string>
#include <utility>

#include "platform/fs/win32/Win32FileId.h"
#include "platform/fs/win32/Win32FileSystem.h"
#include "platform/fs/win32/Win32Handle.h"

namespace kelvora {
namespace {

int WalkError(DWORD error) {
  switch (error) {
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:  // the name is a file, not a folder
      return kErrPathNotFound;
    case ERROR_FILE_NOT_FOUND:  // a drive's root without a single entry
    case ERROR_NO_MORE_FILES:
      return kErrNoMoreFiles;
    default:
      return static_cast<int>(error);
  }
}

class Win32DirectoryWalk final : public DirectoryWalk {
 public:
  Win32DirectoryWalk(HANDLE find, std::string folderPrefix) : find_(find), folderPrefix_(std::move(folderPrefix)) {}
  ~Win32DirectoryWalk() override { FindClose(find_); }
  Win32DirectoryWalk(const Win32DirectoryWalk&) = delete;
  Win32DirectoryWalk& operator=(const Win32DirectoryWalk&) = delete;

  int Next(FindData& entry) override {
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(find_, &found)) return WalkError(GetLastError());
    return Deliver(found, entry);
  }

  /// Puts `found` into `entry`, or the next entry after it when it is a move's copy, which no batch sees.
  int Deliver(WIN32_FIND_DATAA& found, FindData& entry) {
    while (IsMoveCopy(found.cFileName, found.dwFileAttributes))
      if (!FindNextFileA(find_, &found)) return WalkError(GetLastError());
    entry.name = found.cFileName;
    entry.attributes = found.dwFileAttributes;
    // The system's walk does not tell the file index; it takes one look at the entry's attributes.
    const auto information = FileInformation(folderPrefix_ + entry.name, false);
    entry.id = information ? IdOf(*information) : FileId{};
    return 0;
  }

 private:
  HANDLE find_;
  std::string folderPrefix_;
};

}  // namespace

std::unique_ptr<DirectoryWalk> Win32FileSystem::OpenWalk(const std::string& folder, FindData& first, int& error) {
  if (folder.empty()) {
    error = kErrPathNotFound;
    return nullptr;
  }
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA((FolderPrefix(folder) + "*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    error = WalkError(GetLastError());
    return nullptr;
  }
  auto walk = std::make_unique<Win32DirectoryWalk>(find, FolderPrefix(folder));
  error = walk->Deliver(found, first);
  if (error != 0) return nullptr;
  return walk;
}

}  // namespace kelvora
