#pragma once

#include <sys/stat.h>

#include <string>

#include "platform/fs/posix/PosixFd.h"

namespace kelvora {

/// The copy of a move across file systems while it is written, in the destination folder: unnamed where the
/// file system allows it, so that it vanishes by itself whatever fails; else under a hidden name, locked
/// while this object holds it, that goes with this object unless the copy took its final name.
class PendingCopy {
 public:
  PendingCopy(const std::string& folder, bool unnamed);
  PendingCopy(const PendingCopy&) = delete;
  PendingCopy& operator=(const PendingCopy&) = delete;
  ~PendingCopy();

  int fd() const { return fd_.get(); }
  int error() const { return error_; }
  bool unnamed() const { return hiddenPath_.empty(); }
  const std::string& hiddenPath() const { return hiddenPath_; }
  void Named() { hiddenPath_.clear(); }

 private:
  UniqueFd fd_;
  std::string hiddenPath_;
  int error_ = 0;
};

/// A move of a group, copied and waiting for CompleteMoves to name its copy and remove its source.
struct PendingMove {
  std::string from;
  std::string to;
  /// The source as it was listed before its copy; it goes only if it is still the same.
  struct stat listed;
  PendingCopy copy;
  /// The copy once named, to take the name back only while it still holds the copy.
  struct stat placed = {};
  bool named = false;

  PendingMove(std::string from_, std::string to_, const struct stat& listed_, const std::string& folder, bool unnamed)
      : from(std::move(from_)), to(std::move(to_)), listed(listed_), copy(folder, unnamed) {}
};

}  // namespace kelvora
