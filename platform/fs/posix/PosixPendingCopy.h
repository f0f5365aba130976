#pragma once

#include <string>

namespace kelvora {

/// How the hidden copy of a move across file systems is named: this prefix and six characters of mkstemp's.
inline constexpr char kPendingCopyTemplate[] = ".kelvora-move-XXXXXX";

/// True for a name that a hidden copy may have.
bool IsPendingCopyName(const char* name);

/// Creates a hidden copy's file in `folder` and locks it, so that no batch takes it for a stale one while it
/// is written. Returns the descriptor (the lock goes with it) and sets `path`, or returns -1 with errno set.
/// Where the file system has no locks, the file is made without one: no batch removes a copy it cannot lock.
int CreateLockedPendingCopy(const std::string& folder, std::string& path);

}  // namespace kelvora
