#pragma once

#include <span>
#include <string>

namespace kelvora {

/// Most directory entries a listing looks at (skipped ones included), and most dropped items a drop takes:
/// the size of the table the sort orders.
inline constexpr int kMaxTableEntries = 1000;

/// Orders `names` shorter first, then by unsigned byte order among names of equal length, with the
/// in-place exchange sort the batches have always used (so the order of equal names is that sort's, not a
/// stable one). When `paths` is not empty, entry k of it moves with name k. Returns the number of exchanges.
int SortFileTable(std::span<std::string> names, std::span<std::string> paths = {});

}  // namespace kelvora
