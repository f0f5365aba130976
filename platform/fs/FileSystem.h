#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/fs/DirectoryEntry.h"
#include "platform/fs/PathLimits.h"

namespace kelvora {

/// Error codes of a walk, in the numbering the batches act on.
enum : int {
  kErrPathNotFound = 3,  ///< the folder does not exist (ENOENT, ENOTDIR)
  kErrNoMoreFiles = 18,  ///< the walk has delivered its last entry
};

/// errno classes of MoveNoReplace that the batches tell apart; any other value is passed on as it is.
enum : int {
  kMoveOk = 0,
  kMoveAccessDenied = 13,  ///< EACCES, EPERM, EBUSY, ETXTBSY
  kMoveTargetExists = 17,  ///< the target name is taken (EEXIST, ENOTEMPTY)
  kMoveInvalidName = 22,   ///< the destination's file system rejects the name (EINVAL, EILSEQ)
  kMoveCrossDevice = 18,   ///< a folder cannot be moved to another file system
  kMoveAbandoned = 125,    ///< the MoveProgress asked to stop (ECANCELED); the source is as it was
};

/// An open walk over one folder. Destroying it closes the walk.
class DirectoryWalk {
 public:
  virtual ~DirectoryWalk() = default;
  /// Reads the next entry into `entry`. Returns 0 on success, kErrNoMoreFiles at the end, or the system's
  /// error code.
  virtual int Next(FindData& entry) = 0;
};

/// Result of reading the first line of a small text file.
struct ReadLineResult {
  enum Status { kOk, kOpenFailed, kReadFailed } status = kOpenFailed;
  std::string line;  ///< the line as read, with its line break if it had one
};

/// Result of replacing a small text file.
enum class ReplaceFileResult { kOk, kOpenFailed, kWriteFailed };

/// Told how a long move goes while it runs, so the window can have its turn and a stop can be asked for.
class MoveProgress {
 public:
  virtual ~MoveProgress() = default;
  /// Called between the blocks of a copy to another file system with the bytes copied so far. Returns false
  /// to abandon the move: it then fails with kMoveAbandoned, leaving the source as it was and no copy.
  virtual bool Continue(std::uint64_t bytesCopied) = 0;
};

/// The file operations the batches and the settings file rely on. One real implementation per system
/// (POSIX now), and a fake in the tests that logs every call and can fail any of them.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  /// Opens a walk of `folder` and reads its first entry into `first`. Returns the open walk, or null with
  /// `error` set: kErrPathNotFound when the folder does not exist, the system's code otherwise. "." and ".."
  /// are delivered as entries, as the system delivers them.
  virtual std::unique_ptr<DirectoryWalk> OpenWalk(const std::string& folder, FindData& first, int& error) = 0;

  /// Renames `from` to `to` (possibly in another folder or on another file system) and never replaces an
  /// existing `to`. Returns kMoveOk, or an errno class: kMoveAccessDenied, kMoveTargetExists,
  /// kMoveInvalidName, or the system's own errno for anything else. On failure `from` is untouched and no
  /// partial file is left under `to`.
  virtual int MoveNoReplace(const std::string& from, const std::string& to) = 0;

  /// True when `path` names an entry (a file, a folder, or a link, even one whose target is gone): the names
  /// MoveNoReplace refuses to replace. A cheap query that changes nothing and follows no link; a name that
  /// cannot be looked up (a folder on the way is missing or unreadable) counts as free.
  virtual bool Exists(const std::string& path) = 0;

  /// Sets what later moves report their progress to; null for nothing. Not owned.
  virtual void SetMoveProgress(MoveProgress* progress) = 0;

  /// True when both texts name one existing folder (same device and inode), however they are spelt.
  virtual bool SameFolder(const std::string& a, const std::string& b) = 0;

  /// Blocks the calling thread for `milliseconds`.
  virtual void Sleep(int milliseconds) = 0;

  /// The current time in seconds since the epoch.
  virtual std::int64_t Now() = 0;

  /// Formats `time` as local time with strftime's `format`; empty when the conversion fails.
  virtual std::string FormatLocalTime(std::int64_t time, const char* format) = 0;

  /// Reads the first line of `path`, at most `maxBytes` bytes (a longer line is cut there).
  /// kOpenFailed: the file cannot be opened for reading; kReadFailed: it is empty or a read fails.
  virtual ReadLineResult ReadFirstLine(const std::string& path, std::size_t maxBytes) = 0;

  /// Replaces the content of `path` with `bytes` so that a crash or a full disk never leaves a half-written
  /// file: the bytes go into a new file beside it, which is flushed and then put in its place. kOpenFailed
  /// when an existing `path` is not writable or the new file cannot be created (nothing changes);
  /// kWriteFailed when writing or flushing fails (the old file is kept).
  virtual ReplaceFileResult ReplaceFile(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace kelvora
