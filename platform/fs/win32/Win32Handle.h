#pragma once

#include <windows.h>

#include <string>

namespace kelvora {

/// Owns one file handle and closes it when it goes.
class UniqueHandle {
 public:
  explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.handle_) { other.handle_ = INVALID_HANDLE_VALUE; }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  ~UniqueHandle() { reset(); }

  HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
  void reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = handle;
  }

 private:
  HANDLE handle_;
};

/// Writes all of `size` bytes. Returns 0 or the system's error code.
DWORD WriteAll(HANDLE file, const char* data, std::size_t size);

/// `folder` ready for a name to follow: with a separator at its end, unless it already ends in one ("C:\\");
/// the trail byte 0x5C of a double-byte character is no separator.
std::string FolderPrefix(const std::string& folder);

/// The folder that holds `path` ("C:\a\b" -> "C:\a", "C:\b" -> "C:\", "b" -> "."), stepping over
/// double-byte characters whose trail byte is '\\'.
std::string ParentFolder(const std::string& path);

}  // namespace kelvora
