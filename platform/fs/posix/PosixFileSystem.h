#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/fs/FileSystem.h"

namespace kelvora {

struct PendingMove;

/// How MoveNoReplace keeps an existing target safe, strongest first. Each level falls back to the next one
/// where the file system lacks what it needs; constructing with a lower level skips the stronger ones, so a
/// test can show that each level on its own never replaces a target.
enum class MoveStrategy {
  /// renameat2 with RENAME_NOREPLACE: atomic, the kernel itself refuses a taken name.
  kRenameNoReplace,
  /// Hard-link the new name (refused when taken), then unlink the old one. Files and links only; a folder
  /// goes straight to the next level.
  kLinkThenUnlink,
  /// Create the new name exclusively (an empty file, or an empty folder for a folder), then rename over
  /// that reservation. The weakest level: another program could write into the reservation in between.
  /// Also keeps a copy across file systems off unnamed temporary files, which need hard links.
  kReserveThenRename,
};

/// What a copy across file systems takes over from its source besides the bytes, each on its own.
enum class CopiedAttribute { kOwner, kMode, kTimes };

/// Places where a test or a benchmark makes the file layer fail or race. Each hook returns 0 to let the
/// operation go on, or an errno that the operation then fails with as if the system had reported it.
/// Empty hooks cost nothing. The `= {}` lets a designated initializer name only the hooks it sets without
/// -Wmissing-field-initializers.
struct PosixFileSystemHooks {
  /// A move across file systems, before it checks that the source's folder lets the source be removed.
  std::function<int(const std::string& sourceFolder)> checkSourceRemovable = {};
  /// A move across file systems, after each chunk of the copy, with the bytes copied so far. Writing to the
  /// source from here plays another program changing it during the copy.
  std::function<int(std::uint64_t copied)> afterCopyChunk = {};
  /// A move across file systems, before it gives the copy the source's owner, mode or times. An errno plays
  /// a destination that cannot store that attribute.
  std::function<int(CopiedAttribute attribute)> beforeCopyAttribute = {};
  /// A move across file systems, once the copy holds its final name and is on disk, just before the
  /// source is removed.
  std::function<int()> beforeSourceRemoval = {};
  /// ReplaceFile, before it writes the new bytes into its temporary file.
  std::function<int()> beforeReplaceWrite = {};
};

/// The file layer on Linux and other POSIX systems. Paths are byte strings, passed to the system as they
/// are. A move across file systems copies a file (or recreates a link) and only then removes the source;
/// a source written to during that copy fails the move with EBUSY, which the batches see as
/// kMoveAccessDenied, the same as a file another program holds.
class PosixFileSystem final : public FileSystem {
 public:
  explicit PosixFileSystem(MoveStrategy strategy = MoveStrategy::kRenameNoReplace,
                           PosixFileSystemHooks hooks = {});
  ~PosixFileSystem() override;
  PosixFileSystem(const PosixFileSystem&) = delete;
  PosixFileSystem& operator=(const PosixFileSystem&) = delete;

  std::unique_ptr<DirectoryWalk> OpenWalk(const std::string& folder, FindData& first, int& error) override;
  std::optional<FileId> IdentifyFile(const std::string& path, bool throughLink) override;
  bool NamesAreExact(const std::string& folder) override;
  int MoveNoReplace(const std::string& from, const std::string& to) override;
  void RemoveStaleMoveCopies(const std::string& folder) override;
  void SetMoveProgress(MoveProgress* progress) override { progress_ = progress; }
  void GroupMoves(bool on) override;
  std::vector<MoveFailure> CompleteMoves() override;
  bool SameFolder(const std::string& a, const std::string& b) override;
  void Sleep(int milliseconds) override;
  std::int64_t Now() override;
  std::int64_t MonotonicMs() override;
  std::string FormatLocalTime(std::int64_t time, const char* format) override;
  ReadLineResult ReadFirstLine(const std::string& path, std::size_t maxBytes) override;
  ReplaceFileResult ReplaceFile(const std::string& path, const std::string& bytes) override;

 private:
  // These return 0 or an errno, which MoveNoReplace sorts into the classes the batches act on.
  int MoveOnOneFileSystem(const std::string& from, const std::string& to) const;
  int MoveAcrossFileSystems(const std::string& from, const std::string& to);
  int CopyIntoPending(PendingMove& move) const;
  int NameCopy(PendingMove& move) const;
  int RemoveSourceOrTakeBack(const std::string& from, const struct stat& listed, const std::string& to,
                             const struct stat& placed) const;
  std::vector<MoveFailure> CompleteGroup(std::vector<std::unique_ptr<PendingMove>>& moves) const;

  MoveStrategy strategy_;
  PosixFileSystemHooks hooks_;
  MoveProgress* progress_ = nullptr;
  bool grouping_ = false;
  std::vector<std::unique_ptr<PendingMove>> pending_;
};

}  // namespace kelvora
