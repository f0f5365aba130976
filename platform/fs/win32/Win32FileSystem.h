#pragma once

#include "platform/fs/FileSystem.h"

namespace kelvora {

/// The file layer on Windows. Paths are byte strings in the system's ANSI code page, handed to the ANSI
/// family of the system calls as they are; a name the code page cannot spell never reaches a file under a
/// wrong name, its move fails. A move to another volume copies the file beside its target, flushes it,
/// names it without replacing anything, and only then removes the source.
class Win32FileSystem final : public FileSystem {
 public:
  std::unique_ptr<DirectoryWalk> OpenWalk(const std::string& folder, FindData& first, int& error) override;
  std::optional<FileId> IdentifyFile(const std::string& path, bool throughLink) override;
  int MoveNoReplace(const std::string& from, const std::string& to) override;
  void RemoveStaleMoveCopies(const std::string& folder) override;
  void SetMoveProgress(MoveProgress* progress) override { progress_ = progress; }
  bool SameFolder(const std::string& a, const std::string& b) override;
  void Sleep(int milliseconds) override;
  std::int64_t Now() override;
  std::int64_t MonotonicMs() override;
  std::string FormatLocalTime(std::int64_t time, const char* format) override;
  ReadLineResult ReadFirstLine(const std::string& path, std::size_t maxBytes) override;
  ReplaceFileResult ReplaceFile(const std::string& path, const std::string& bytes) override;

 private:
  // Returns 0 or a system error code (GetLastError's numbering).
  unsigned long MoveAcrossVolumes(const std::string& from, const std::string& to) const;

  MoveProgress* progress_ = nullptr;
};

}  // namespace kelvora
