#pragma once

#include <string_view>

namespace kelvora {

/// Names no batch ever renames: the shell's own files and the folder's entries for itself and its parent.
inline bool IsSkippedName(std::string_view name) {
  return name == "Thumbs.db" || name == "desktop.ini" || name == "." || name == "..";
}

}  // namespace kelvora
