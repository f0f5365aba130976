#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>

namespace kelvora {

/// Names no batch ever renames: the shell's own files and the folder's entries for itself and its parent.
inline bool IsSkippedName(std::string_view name) {
  return name == "Thumbs.db" || name == "desktop.ini" || name == "." || name == "..";
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

}  // namespace kelvora
