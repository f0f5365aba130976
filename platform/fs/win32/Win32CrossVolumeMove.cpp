#include <windows.h>

#include <vector>

#include "platform/fs/win32/Win32FileId.h"
#include "platform/fs/win32/Win32FileSystem.h"
#include "platform/fs/win32/Win32Handle.h"

namespace kelvora {
namespace {

constexpr DWORD kCopyChunkBytes = 128 * 1024;

// The copy while it is written: a hidden file beside the target, removed unless it took its final name.
class PendingCopy {
 public:
  explicit PendingCopy(const std::string& folder) {
    char name[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), kMoveCopyPrefix, 0, name) == 0) {
      error_ = GetLastError();
      return;
    }
    path_ = name;
    // Hidden marks it as a move's copy; opened for no one else, it is known to be in use while written.
    SetFileAttributesA(name, FILE_ATTRIBUTE_HIDDEN);
    file_.reset(CreateFileA(name, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_HIDDEN, nullptr));
    if (!file_) error_ = GetLastError();
  }
  PendingCopy(const PendingCopy&) = delete;
  PendingCopy& operator=(const PendingCopy&) = delete;
  ~PendingCopy() {
    file_.reset();
    if (!path_.empty()) DeleteFileA(path_.c_str());
  }

  HANDLE file() const { return file_.get(); }
  DWORD error() const { return error_; }
  const std::string& path() const { return path_; }
  void Close() { file_.reset(); }
  void Named() { path_.clear(); }

 private:
  UniqueHandle file_;
  std::string path_;
  DWORD error_ = 0;
};

DWORD CopyContent(HANDLE in, HANDLE out, MoveProgress* progress) {
  std::vector<char> chunk(kCopyChunkBytes);
  std::uint64_t copied = 0;
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(in, chunk.data(), kCopyChunkBytes, &got, nullptr)) return GetLastError();
    if (got == 0) return 0;
    if (const DWORD error = WriteAll(out, chunk.data(), got)) return error;
    copied += got;
    if (progress != nullptr && !progress->Continue(copied)) return ERROR_CANCELLED;
  }
}

// A read-only file cannot be deleted as it is; the mark goes only for the moment of the deletion.
DWORD Remove(const std::string& path, DWORD attributes) {
  if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  if (DeleteFileA(path.c_str())) return 0;
  const DWORD error = GetLastError();
  if (attributes & FILE_ATTRIBUTE_READONLY) SetFileAttributesA(path.c_str(), attributes);
  return error;
}

}  // namespace

// A copy that a running move writes is open for no one else, so deleting it fails and it stays.
void Win32FileSystem::RemoveStaleMoveCopies(const std::string& folder) {
  WIN32_FIND_DATAA found;
  const std::string folderPrefix = FolderPrefix(folder);
  const HANDLE find = FindFirstFileA((folderPrefix + kMoveCopyPrefix + "*.tmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (IsMoveCopy(found.cFileName, found.dwFileAttributes)) DeleteFileA((folderPrefix + found.cFileName).c_str());
  } while (FindNextFileA(find, &found));
  FindClose(find);
}

DWORD Win32FileSystem::MoveAcrossVolumes(const std::string& from, const std::string& to) const {
  WIN32_FILE_ATTRIBUTE_DATA listed;
  if (!GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &listed)) return GetLastError();
  // A folder stays where it is, as it would on one volume when its name is taken.
  if (listed.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_NOT_SAME_DEVICE;
  // Saves copying a large file only to find the name taken; naming the copy still refuses it anyway.
  if (GetFileAttributesA(to.c_str()) != INVALID_FILE_ATTRIBUTES) return ERROR_FILE_EXISTS;

  // Nobody may write to the source while it is copied, so the copy holds all of it.
  UniqueHandle source(CreateFileA(from.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!source) return GetLastError();

  PendingCopy copy(ParentFolder(to));
  if (copy.file() == INVALID_HANDLE_VALUE) return copy.error();
  if (const DWORD error = CopyContent(source.get(), copy.file(), progress_)) return error;
  FILETIME created, accessed, written;
  if (GetFileTime(source.get(), &created, &accessed, &written)) SetFileTime(copy.file(), &created, &accessed, &written);
  if (!FlushFileBuffers(copy.file())) return GetLastError();
  copy.Close();
  source.reset();

  // MoveFileExA without MOVEFILE_REPLACE_EXISTING never replaces; on one volume it only renames.
  if (!MoveFileExA(copy.path().c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH)) return GetLastError();
  copy.Named();
  SetFileAttributesA(to.c_str(), listed.dwFileAttributes);

  // A source changed since it was listed may hold bytes the copy lacks, so it stays and the move fails.
  WIN32_FILE_ATTRIBUTE_DATA now;
  DWORD error = 0;
  if (!GetFileAttributesExA(from.c_str(), GetFileExInfoStandard, &now)) {
    error = GetLastError();
  } else if (CompareFileTime(&now.ftLastWriteTime, &listed.ftLastWriteTime) != 0 ||
             now.nFileSizeLow != listed.nFileSizeLow || now.nFileSizeHigh != listed.nFileSizeHigh) {
    error = ERROR_BUSY;
  } else {
    error = Remove(from, listed.dwFileAttributes);
  }
  if (error != 0) Remove(to, listed.dwFileAttributes);
  return error;
}

}  // namespace kelvora
