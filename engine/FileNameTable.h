#pragma once

#include <array>
#include <string>

#include "rules/SortFileTable.h"

namespace kelvora {

/// The names of one batch, in the order they are renamed; the first `entryCount` entries are in use.
struct FileNameTable {
  std::array<std::string, kMaxTableEntries> entries;
  int entryCount = 0;
};

/// The full paths of the dropped items: entry k is the path of the item named by entry k of the
/// FileNameTable.
struct DropPathTable {
  std::array<std::string, kMaxTableEntries> entries;
};

}  // namespace kelvora
