#include "platform/fs/win32/Win32FileSystem.h"

#include <windows.h>

#include <ctime>

#include "platform/fs/win32/Win32FileId.h"
#include "platform/fs/win32/Win32Handle.h"

namespace kelvora {

std::optional<FileId> Win32FileSystem::IdentifyFile(const std::string& path, bool throughLink) {
  const auto information = FileInformation(path, throughLink);
  if (!information) return std::nullopt;
  return IdOf(*information);
}

// Two spellings name one folder when the volume and the file index the system keeps for it agree.
bool Win32FileSystem::SameFolder(const std::string& a, const std::string& b) {
  const auto first = FileInformation(a, true);
  const auto second = FileInformation(b, true);
  if (!first || !second || !(first->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
  const FileId one = IdOf(*first);
  const FileId other = IdOf(*second);
  return one.device == other.device && one.inode == other.inode;
}

void Win32FileSystem::Sleep(int milliseconds) {
  if (milliseconds > 0) ::Sleep(static_cast<DWORD>(milliseconds));
}

std::int64_t Win32FileSystem::Now() { return static_cast<std::int64_t>(std::time(nullptr)); }

std::int64_t Win32FileSystem::MonotonicMs() { return static_cast<std::int64_t>(GetTickCount64()); }

std::string Win32FileSystem::FormatLocalTime(std::int64_t time, const char* format) {
  const std::time_t seconds = static_cast<std::time_t>(time);
  std::tm local;
  if (format == nullptr || localtime_r(&seconds, &local) == nullptr) return {};
  char text[1024];
  return std::string(text, std::strftime(text, sizeof text, format, &local));
}

ReadLineResult Win32FileSystem::ReadFirstLine(const std::string& path, std::size_t maxBytes) {
  const UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return {ReadLineResult::kOpenFailed, {}};
  // A device (CON, a pipe) is never waited on.
  if (GetFileType(file.get()) != FILE_TYPE_DISK) return {ReadLineResult::kReadFailed, {}};
  // Small reads, so that a long line is cut without reading the rest of the file; NUL bytes are kept.
  std::string line;
  char block[512];
  while (line.size() < maxBytes) {
    DWORD got = 0;
    if (!ReadFile(file.get(), block, static_cast<DWORD>(std::min(sizeof block, maxBytes - line.size())), &got,
                  nullptr))
      return {ReadLineResult::kReadFailed, {}};
    if (got == 0) break;
    const std::string_view read(block, got);
    const std::size_t newline = read.find('\n');
    line.append(read.substr(0, newline == std::string_view::npos ? got : newline + 1));
    if (newline != std::string_view::npos) break;
  }
  if (line.empty()) return {ReadLineResult::kReadFailed, {}};
  return {ReadLineResult::kOk, std::move(line)};
}

}  // namespace kelvora
