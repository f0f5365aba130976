#include <windows.h>

#include "platform/fs/win32/Win32FileSystem.h"
#include "platform/fs/win32/Win32Handle.h"

namespace kelvora {

// The new bytes go into a file of their own beside the old one, are flushed, and only then take its
// place: ReplaceFileA keeps the old file's attributes and security; MoveFileExA puts a first file in place.
// (windows.h turns the name ReplaceFile into ReplaceFileA, hence the system calls by their full names.)
ReplaceFileResult Win32FileSystem::ReplaceFile(const std::string& path, const std::string& bytes) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
  if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return ReplaceFileResult::kOpenFailed;
  if (exists) {
    const UniqueHandle writable(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!writable) return ReplaceFileResult::kOpenFailed;
  }

  const std::string temporary = path + ".new";
  UniqueHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return ReplaceFileResult::kOpenFailed;
  bool written = WriteAll(file.get(), bytes.data(), bytes.size()) == 0 && FlushFileBuffers(file.get());
  file.reset();
  if (written) {
    written = exists ? ::ReplaceFileA(path.c_str(), temporary.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                    nullptr, nullptr)
                     : ::MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH);
  }
  if (!written) {
    DeleteFileA(temporary.c_str());
    return ReplaceFileResult::kWriteFailed;
  }
  return ReplaceFileResult::kOk;
}

}  // namespace kelvora
