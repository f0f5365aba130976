#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/fs/win32/Win32FileId.h"
#include "platform/fs/win32/Win32FileSystem.h"
#include "platform/fs/win32/Win32Handle.h"

namespace kelvora {
namespace {

int WalkError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_DIRECTORY:  // the name is a file, not a folder
    case ERROR_INVALID_NAME:
      return kErrPathNotFound;
    case ERROR_NO_MORE_FILES:
      return kErrNoMoreFiles;
    default:
      return static_cast<int>(error);
  }
}

// The name as the ANSI calls spell it: a character the code page lacks becomes '?', so that such a file can
// never be taken for another one.
std::string AnsiName(const WCHAR* name, DWORD bytes) {
  const int units = static_cast<int>(bytes / sizeof(WCHAR));
  const int size = WideCharToMultiByte(CP_ACP, 0, name, units, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, name, units, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

// Reads the folder a block of entries at a time, each with its file index, so the walk costs no more than
// reading the folder: the settings file is recognised without opening every entry.
class Win32DirectoryWalk final : public DirectoryWalk {
 public:
  Win32DirectoryWalk(UniqueHandle folder, DWORD volume) : folder_(std::move(folder)), volume_(volume) {}

  /// Reads the first block; 0, or the error of the walk.
  int Start() { return Fill(FileIdBothDirectoryRestartInfo); }

  int Next(FindData& entry) override {
    for (;;) {
      if (next_ == nullptr) {
        if (const int error = Fill(FileIdBothDirectoryInfo)) return error;
      }
      const FILE_ID_BOTH_DIR_INFO& found = *next_;
      next_ = found.NextEntryOffset == 0
                  ? nullptr
                  : reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(reinterpret_cast<const char*>(next_) +
                                                                   found.NextEntryOffset);
      std::string name = AnsiName(found.FileName, found.FileNameLength);
      // A move's copy is no entry of any batch.
      if (IsMoveCopy(name, found.FileAttributes)) continue;
      entry.name = std::move(name);
      entry.attributes = found.FileAttributes;
      entry.id = FileId{volume_, static_cast<std::uint64_t>(found.FileId.QuadPart)};
      return 0;
    }
  }

 private:
  int Fill(FILE_INFO_BY_HANDLE_CLASS kind) {
    if (!GetFileInformationByHandleEx(folder_.get(), kind, buffer_.data(),
                                      static_cast<DWORD>(buffer_.size() * sizeof(buffer_[0]))))
      return WalkError(GetLastError());
    next_ = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(buffer_.data());
    return 0;
  }

  UniqueHandle folder_;
  DWORD volume_;
  // 64 KB of entries a call, aligned as the records need.
  std::vector<LONGLONG> buffer_ = std::vector<LONGLONG>(64 * 1024 / sizeof(LONGLONG));
  const FILE_ID_BOTH_DIR_INFO* next_ = nullptr;
};

}  // namespace

std::unique_ptr<DirectoryWalk> Win32FileSystem::OpenWalk(const std::string& folder, FindData& first, int& error) {
  if (folder.empty()) {
    error = kErrPathNotFound;
    return nullptr;
  }
  // FILE_FLAG_BACKUP_SEMANTICS is what lets CreateFile open a folder; it opens a file too, which is no walk.
  UniqueHandle handle(CreateFileA(FolderPrefix(folder).c_str(), FILE_LIST_DIRECTORY,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!handle || !GetFileInformationByHandle(handle.get(), &information)) {
    error = WalkError(GetLastError());
    return nullptr;
  }
  if (!(information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    error = kErrPathNotFound;
    return nullptr;
  }
  auto walk = std::make_unique<Win32DirectoryWalk>(std::move(handle), information.dwVolumeSerialNumber);
  error = walk->Start();
  if (error == 0) error = walk->Next(first);
  if (error != 0) return nullptr;
  return walk;
}

}  // namespace kelvora
