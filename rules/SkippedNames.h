#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

#include "platform/fs/DirectoryEntry.h"

namespace kelvora {

/// The entries a folder walk delivers for the folder itself and its parent.
inline bool IsSelfOrParent(std::string_view name) { return name == "." || name == ".."; }

/// Names no batch ever renames: the shell's own files and the folder's entries for itself and its parent.
inline bool IsSkippedName(std::string_view name) {
  return name == "Thumbs.db" || name == "desktop.ini" || IsSelfOrParent(name);
}

/// A file that no batch moves wherever it meets it (the settings file in use), known by the device of its
/// file system and its number there, so that a hard link or another spelling of its path is it too.
struct KeptFile {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

/// True when the entry on `device` numbered `inode` is one of the `kept` files. Inode 0 means "not known" and
/// matches nothing.
inline bool IsKeptFile(std::uint64_t device, std::uint64_t inode, std::span<const KeptFile> kept) {
  return inode != 0 && std::any_of(kept.begin(), kept.end(), [&](const KeptFile& file) {
           return file.device == device && file.inode == inode;
         });
}

/// Why the folder batch leaves a directory entry where it is.
enum class LeftInPlace {
  kNo,           ///< the entry is renamed and moved
  kSkippedName,  ///< one of the skipped names
  kPlainFolder,  ///< a folder whose attribute word is exactly "folder"; one with any further bit is moved
  kKeptFile,     ///< one of the kept files (the settings file in use)
};

/// The folder batch's rule for one entry of the walk.
inline LeftInPlace WhyLeftInPlace(const FindData& entry, std::span<const KeptFile> kept) {
  if (IsSkippedName(entry.name)) return LeftInPlace::kSkippedName;
  if (entry.attributes == kAttrDirectory) return LeftInPlace::kPlainFolder;
  if (IsKeptFile(entry.id.device, entry.id.inode, kept)) return LeftInPlace::kKeptFile;
  return LeftInPlace::kNo;
}

}  // namespace kelvora
