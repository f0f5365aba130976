#pragma once

#include <cstdint>
#include <string>

namespace kelvora {

/// Attribute bits of a directory entry, as the batches test them.
enum : std::uint32_t {
  kAttrReadOnly = 0x01,   ///< the owner cannot write the entry
  kAttrHidden = 0x02,     ///< the name begins with '.'
  kAttrDirectory = 0x10,  ///< a folder
  kAttrNormal = 0x20,     ///< an ordinary file
  kAttrSymlink = 0x400,   ///< a symbolic link (the link itself, not its target)
};

/// One directory entry: its name (bytes, no folder) and its attribute word.
struct FindData {
  std::string name;
  std::uint32_t attributes = 0;
};

}  // namespace kelvora
