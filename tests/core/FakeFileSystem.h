#pragma once

#include <ctime>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/FileSystem.h"

namespace kelvora::testing {

/// An in-memory file system that logs what was done and can fail any step.
class FakeFileSystem final : public FileSystem {
 public:
  struct Entry {
    std::string name;
    std::uint32_t attributes = kAttrNormal;
    std::string content;
    std::uint64_t inode = 0;  ///< every entry's own unless a test makes two names share one (a hard link)
  };

  /// Every entry lies on this device.
  static constexpr std::uint64_t kDevice = 7;

  /// Folders by path; entries in the order a walk delivers them ("." and ".." come first).
  std::map<std::string, std::vector<Entry>> folders;
  std::map<std::string, std::string> files;  ///< text files (the settings file)
  /// Paths that IdentifyFile takes for the entry at another path (another spelling of it).
  std::map<std::string, std::string> aliases;
  /// What NamesAreExact answers for every folder.
  bool exactNames = false;

  /// Makes the moves of a group wait for CompleteMoves, as moves to another file system do; `failCompletion`
  /// then answers each of them (nullopt: done, unless its name was taken meanwhile).
  bool deferGroupedMoves = false;
  std::function<std::optional<int>(const std::string& from, const std::string& to)> failCompletion;
  /// Answers a move before it is attempted; nullopt lets it go ahead. `attempt` counts moves of `from`.
  std::function<std::optional<int>(const std::string& from, const std::string& to, int attempt)> failMove;
  /// Error of OpenWalk for a folder (0: none).
  std::map<std::string, int> openWalkError;
  /// Error of the n-th Next() of every walk (1-based) of a folder.
  std::map<std::string, std::pair<int, int>> nextError;
  std::optional<ReplaceFileResult> replaceResult;
  std::optional<ReadLineResult::Status> readStatus;

  std::vector<std::string> log;
  /// Every content ReplaceFile wrote, in order.
  std::vector<std::string> written;
  int sleptMs = 0;
  /// Walks opened and not yet closed.
  int openWalks = 0;
  std::int64_t now = 1706745599;  // 2024-01-31 23:59:59 UTC
  /// The monotonic clock; a pause moves it on, and so does every move by `msPerMove` and every entry a walk
  /// delivers after its first by `msPerEntry`.
  std::int64_t monotonicMs = 0;
  std::int64_t msPerMove = 0;
  std::int64_t msPerEntry = 0;
  /// What the batch last set for moves to report to.
  MoveProgress* moveProgress = nullptr;

  /// Paths are spelt the same on every system, so the tests' expectations hold everywhere.
  char PathSeparator() const override { return '/'; }

  void AddFolder(const std::string& path) { folders[path]; }
  void AddFile(const std::string& folder, const std::string& name, std::uint32_t attributes = kAttrNormal,
               std::string content = {}) {
    folders[folder].push_back({name, attributes, content.empty() ? name : std::move(content), ++m_lastInode});
  }
  /// Names in `folder`, in walk order.
  std::vector<std::string> Names(const std::string& folder) const;
  const Entry* Find(const std::string& path) const;
  /// What the entry at `path` was created from (its first name, unless given); "(none)" when it is missing.
  std::string Content(const std::string& path) const {
    const Entry* entry = Find(path);
    return entry ? entry->content : "(none)";
  }
  /// Number of log lines that begin with `prefix`.
  int Count(const std::string& prefix) const;

  std::unique_ptr<DirectoryWalk> OpenWalk(const std::string& folder, FindData& first, int& error) override;
  std::optional<FileId> IdentifyFile(const std::string& path, bool throughLink) override;
  bool NamesAreExact(const std::string&) override { return exactNames; }
  void RemoveStaleMoveCopies(const std::string& folder) override { log.push_back("clean " + folder); }
  int MoveNoReplace(const std::string& from, const std::string& to) override;
  void SetMoveProgress(MoveProgress* progress) override { moveProgress = progress; }
  void GroupMoves(bool on) override;
  std::vector<MoveFailure> CompleteMoves() override;
  bool SameFolder(const std::string& a, const std::string& b) override;
  void Sleep(int milliseconds) override;
  std::int64_t Now() override { return now; }
  std::int64_t MonotonicMs() override { return monotonicMs; }
  std::string FormatLocalTime(std::int64_t time, const char* format) override;
  ReadLineResult ReadFirstLine(const std::string& path, std::size_t maxBytes) override;
  ReplaceFileResult ReplaceFile(const std::string& path, const std::string& bytes) override;

 private:
  int Relocate(const std::string& from, const std::string& to);

  std::map<std::string, int> m_moveAttempts;
  bool m_grouping = false;
  std::vector<std::pair<std::string, std::string>> m_pending;
  std::uint64_t m_lastInode = 0;
};

}  // namespace kelvora::testing
