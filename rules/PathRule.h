#pragma once

#include <string>
#include <string_view>

#include "platform/fs/PathLimits.h"

namespace kelvora {

/// Makes `path` the full path of `name` in `folder`: the two joined by one `separator` (the file layer's), as
/// the batches build every path.
inline void JoinInto(std::string& path, std::string_view folder, std::string_view name, char separator) {
  path.assign(folder).append(1, separator).append(name);
}

/// The full path of `name` in `folder`.
inline std::string JoinPath(std::string_view folder, std::string_view name, char separator) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  JoinInto(path, folder, name, separator);
  return path;
}

/// True when both paths of a rename are within the limit; a longer one is refused before the file system sees it.
inline bool PathsFit(std::string_view oldPath, std::string_view newPath) {
  return oldPath.size() <= kMaxPathBytes && newPath.size() <= kMaxPathBytes;
}

}  // namespace kelvora
