#pragma once

#include <cstdint>
#include <string>

namespace kelvora {

/// Attribute bits of a directory entry. The batches test one thing of the word: whether it is exactly
/// kAttrDirectory, a plain folder, which stays where it is; any other entry is renamed and moved.
/// On POSIX every folder is exactly kAttrDirectory, whatever its name and permissions, and a file is
/// kAttrNormal with kAttrHidden when its name begins with '.' and kAttrSymlink when it is a link. The walk
/// takes all of it from the directory entry, without a stat per entry, so it never sets kAttrReadOnly there:
/// nothing acts on it, and a file the batch may not move is refused by the move itself.
enum : std::uint32_t {
  kAttrReadOnly = 0x01,   ///< the entry cannot be written (set by systems whose walk reports it)
  kAttrHidden = 0x02,     ///< a hidden file (on POSIX: the name begins with '.')
  kAttrDirectory = 0x10,  ///< a folder
  kAttrNormal = 0x20,     ///< an ordinary file
  kAttrSymlink = 0x400,   ///< a symbolic link (the link itself, not its target)
};

/// Where a file lives: the device of its file system and its number there. Every name of one file (a hard
/// link, another spelling of its path) has the same; 0 and 0 where the system does not tell.
struct FileId {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;
};

/// One directory entry: its name (bytes, no folder), its attribute word and where it lives (of the entry
/// itself: a link's own, not its target's).
struct FindData {
  std::string name;
  std::uint32_t attributes = 0;
  FileId id;
};

}  // namespace kelvora
