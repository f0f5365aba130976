#pragma once

#include <cstddef>

namespace kelvora {

/// Longest name or full path, in bytes, that the batches hand to the file system.
inline constexpr std::size_t kMaxPathBytes = 259;

/// The character that joins a folder and a name.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

}  // namespace kelvora
