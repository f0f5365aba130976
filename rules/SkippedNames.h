#pragma once

#include <string_view>

#include "platform/fs/DirectoryEntry.h"

namespace kelvora {

/// The entries a folder walk delivers for the folder itself and its parent.
inline bool IsSelfOrParent(std::string_view name) { return name == "." || name == ".."; }

/// Names no batch ever renames: the shell's own files and the folder's entries for itself and its parent.
inline bool IsSkippedName(std::string_view name) {
  return name == "Thumbs.db" || name == "desktop.ini" || IsSelfOrParent(name);
}

/// Why the folder batch leaves a directory entry where it is.
enum class LeftInPlace {
  kNo,           ///< the entry is renamed and moved
  kSkippedName,  ///< one of the skipped names
  kPlainFolder,  ///< a folder whose attribute word is exactly "folder"; one with any further bit is moved
};

/// The folder batch's rule for one entry of the walk.
inline LeftInPlace WhyLeftInPlace(const FindData& entry) {
  if (IsSkippedName(entry.name)) return LeftInPlace::kSkippedName;
  if (entry.attributes == kAttrDirectory) return LeftInPlace::kPlainFolder;
  return LeftInPlace::kNo;
}

}  // namespace kelvora
