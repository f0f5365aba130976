#pragma once

#include <cstddef>
#include <string>

namespace kelvora {

/// Owns one file descriptor and closes it when it goes.
class UniqueFd {
 public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd();

  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  void reset(int fd);
  /// Gives the descriptor up without closing it.
  int release();

 private:
  int fd_;
};

/// Writes all of `size` bytes, however many calls the system needs. Returns 0 or the errno of the failure.
int WriteAll(int fd, const char* data, std::size_t size);

/// Flushes a folder's entries to disk, so a name just given or taken survives a power cut. Returns 0 or
/// an errno.
int SyncFolder(const std::string& folder);

}  // namespace kelvora
