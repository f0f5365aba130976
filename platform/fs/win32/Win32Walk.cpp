#include <windows.h>

#include "platform/fs/win32/Win32FileSystem.h"
#include "platform/text/Multibyte.h"

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

void Take(const WIN32_FIND_DATAA& found, FindData& entry) {
  entry.name = found.cFileName;
  entry.attributes = found.dwFileAttributes;
}

class Win32DirectoryWalk final : public DirectoryWalk {
 public:
  explicit Win32DirectoryWalk(HANDLE find) : find_(find) {}
  ~Win32DirectoryWalk() override { FindClose(find_); }
  Win32DirectoryWalk(const Win32DirectoryWalk&) = delete;
  Win32DirectoryWalk& operator=(const Win32DirectoryWalk&) = delete;

  int Next(FindData& entry) override {
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(find_, &found)) return WalkError(GetLastError());
    Take(found, entry);
    return 0;
  }

 private:
  HANDLE find_;
};

// "C:\" already ends in the separator that a name would follow; a trail byte 0x5C of a double-byte
// character does not.
std::string AllEntries(const std::string& folder) {
  const bool endsInSeparator = FindLastChar(folder, '\\', CodePage::kAnsi) == folder.size() - 1;
  return folder + (endsInSeparator ? "*" : "\\*");
}

}  // namespace

std::unique_ptr<DirectoryWalk> Win32FileSystem::OpenWalk(const std::string& folder, FindData& first, int& error) {
  if (folder.empty()) {
    error = kErrPathNotFound;
    return nullptr;
  }
  WIN32_FIND_DATAA found;
  const HANDLE find = FindFirstFileA(AllEntries(folder).c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    error = WalkError(GetLastError());
    return nullptr;
  }
  Take(found, first);
  error = 0;
  return std::make_unique<Win32DirectoryWalk>(find);
}

}  // namespace kelvora
