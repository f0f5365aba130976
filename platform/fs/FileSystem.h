#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/fs/DirectoryEntry.h"
#include "platform/fs/PathLimits.h"

namespace kelvora {

/// Error codes of a walk, in the numbering the batches act on.
enum : int {
  kErrPathNotFound = 3,  ///< the folder does not exist (ENOENT, ENOTDIR)
  kErrNoMoreFiles = 18,  ///< the walk has delivered its last entry
};

/// errno classes of MoveNoReplace that the batches tell apart; any other value is passed on as it is. The
/// values are the errno numbers of the C runtimes (the batches show them as "errno = N"), so every file
/// layer reports the same number for the same cause, whatever its system calls it.
enum : int {
  kMoveOk = 0,
  kMoveVanished = 2,         ///< the file, or a folder of either path, does not exist (ENOENT)
  kMoveAccessDenied = 13,    ///< no permission, or another program holds the file (EACCES, EPERM, EBUSY, ETXTBSY)
  kMoveSourceChanged = 16,   ///< the source changed while it was copied to another file system; the batches
                             ///< try again later, as for kMoveAccessDenied
  kMoveTargetExists = 17,    ///< the target name is taken (EEXIST, ENOTEMPTY)
  kMoveCrossDevice = 18,     ///< a folder (or anything but a file or link) cannot go to another file system
  kMoveInvalidName = 22,     ///< the destination's file system rejects the name (EINVAL, EILSEQ)
  kMoveTooLarge = 27,        ///< the destination's file system cannot hold a file this large (EFBIG)
  kMoveNoSpace = 28,         ///< no space left on the destination (ENOSPC)
  kMoveReadOnly = 30,        ///< the file system of the source or the destination is read-only (EROFS)
  kMoveQuotaExceeded = 122,  ///< the user's disk quota on the destination is used up (EDQUOT)
  kMoveAbandoned = 125,      ///< the MoveProgress asked to stop (ECANCELED); the source is as it was
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

/// A move that CompleteMoves could not finish. Its source is where it was, and nothing of it is left under `to`.
struct MoveFailure {
  std::string from;
  std::string to;
  int error = 0;  ///< one of the errno classes above, as MoveNoReplace would have reported it

  friend bool operator==(const MoveFailure&, const MoveFailure&) = default;
};

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
  /// are delivered as entries, as the system delivers them. The hidden copies that moves across file systems
  /// write (see RemoveStaleMoveCopies) are never delivered. A walk costs no more per entry than reading the
  /// folder: the attribute word and the id come from the directory entry itself.
  virtual std::unique_ptr<DirectoryWalk> OpenWalk(const std::string& folder, FindData& first, int& error) = 0;

  /// Where `path` lives: the name itself (a link is not followed), or with `throughLink` the file a link
  /// leads to. nullopt when it does not exist.
  virtual std::optional<FileId> IdentifyFile(const std::string& path, bool throughLink) = 0;

  /// True when `folder` tells names apart byte for byte, so that a name is taken there exactly when its walk
  /// delivers an entry of that spelling. False where names may be folded (letter case, Unicode forms), and
  /// wherever that is not known for sure.
  virtual bool NamesAreExact(const std::string& folder) {
    static_cast<void>(folder);
    return false;
  }

  /// Renames `from` to `to` (possibly in another folder or on another file system) and never replaces an
  /// existing `to`. Returns kMoveOk, one of the errno classes above, or the system's own errno for anything
  /// else. On failure `from` is untouched and no
  /// partial file is left under `to`.
  virtual int MoveNoReplace(const std::string& from, const std::string& to) = 0;

  /// The character that joins a folder and a name in the paths this file layer takes.
  virtual char PathSeparator() const { return kPathSeparator; }

  /// A move to another file system writes its copy into the destination folder first, under a hidden name
  /// where the file system has no unnamed files, and holds a lock on it while it is written. A crash leaves
  /// that copy behind; it never holds the only copy of anything, since the source goes only after the copy
  /// took its final name. This removes such copies from `folder`, those that no running move holds. A
  /// batch calls it once on the folder it writes into, before its first move.
  virtual void RemoveStaleMoveCopies(const std::string& folder) = 0;

  /// Sets what later moves report their progress to; null for nothing. Not owned.
  virtual void SetMoveProgress(MoveProgress* progress) = 0;

  /// While moves are grouped, a move to another file system that can be done is checked and copied at once
  /// and reported as kMoveOk, but its copy takes its name, and its source goes, only in CompleteMoves: the
  /// copies of a group are flushed to disk together, not one by one, and still each before its source goes.
  /// A crash before that leaves every source where it was. Moves on one file system are done at once, as
  /// ever. Ending the group (false) drops what was not completed, leaving those sources where they were.
  virtual void GroupMoves(bool on) { static_cast<void>(on); }

  /// Completes the moves of the group so far, in the order they were made; returns those that failed (a
  /// name taken meanwhile, a source changed after its copy, a flush that failed). Grouping stays as it is.
  virtual std::vector<MoveFailure> CompleteMoves() { return {}; }

  /// True when both texts name one existing folder (same device and inode), however they are spelt.
  virtual bool SameFolder(const std::string& a, const std::string& b) = 0;

  /// Blocks the calling thread for `milliseconds`.
  virtual void Sleep(int milliseconds) = 0;

  /// The current time in seconds since the epoch.
  virtual std::int64_t Now() = 0;

  /// Milliseconds on a clock that only moves forward and never jumps with the wall clock (a monotonic clock
  /// such as CLOCK_MONOTONIC_COARSE or GetTickCount64), from any starting point. A running batch reads it
  /// once per file to give the window a turn every few tens of milliseconds, so it must be cheap; a
  /// resolution of a few milliseconds is enough.
  virtual std::int64_t MonotonicMs() = 0;

  /// Formats `time` as local time with strftime's `format`; empty when the conversion fails.
  virtual std::string FormatLocalTime(std::int64_t time, const char* format) = 0;

  /// Reads the first line of `path`, at most `maxBytes` bytes (a longer line is cut there).
  /// kOpenFailed: the file cannot be opened for reading; kReadFailed: it is empty, a read fails, or it is no
  /// regular file (a FIFO or a device is never waited on).
  virtual ReadLineResult ReadFirstLine(const std::string& path, std::size_t maxBytes) = 0;

  /// Replaces the content of `path` with `bytes` so that a crash or a full disk never leaves a half-written
  /// file: the bytes go into a new file beside it, which is flushed and then put in its place. kOpenFailed
  /// when an existing `path` is no regular file or not writable, or the new file cannot be created (nothing
  /// changes); kWriteFailed when writing or flushing fails (the old file is kept).
  virtual ReplaceFileResult ReplaceFile(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace kelvora
