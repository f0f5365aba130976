#include "rules/SortFileTable.h"

#include <algorithm>
#include <cstdint>
#include <numeric>
#include <utility>
#include <vector>

namespace kelvora {
namespace {

// One exchange pass: for each position, every later entry whose key is smaller changes places with it at
// once. `at` tells which entry of the table is at each position, and moves along.
int ExchangePass(std::vector<std::uint32_t>& keys, std::vector<std::uint32_t>& at) {
  int exchanges = 0;
  for (std::size_t p = 0; p < keys.size(); ++p)
    for (std::size_t j = p + 1; j < keys.size(); ++j)
      if (keys[j] < keys[p]) {
        std::swap(keys[p], keys[j]);
        std::swap(at[p], at[j]);
        ++exchanges;
      }
  return exchanges;
}

}  // namespace

// The exchanges are played on small integer keys rather than on the names, which makes the same exchanges
// many times faster. Pass 1 compares lengths. Pass 2 compares ranks in the final order: after pass 1 the
// lengths rise along the table and pass 2 exchanges only names of equal length, so for a later entry a
// smaller rank means exactly "same length and below in byte order". Equal names share a rank and are never
// exchanged with each other, as before.
int SortFileTable(std::span<std::string> names, std::span<std::string> paths) {
  const auto count = static_cast<std::uint32_t>(names.size());
  std::vector<std::uint32_t> at(count);
  std::iota(at.begin(), at.end(), 0u);
  // std::string compares bytes as unsigned char, which is the order wanted here.
  const auto before = [&](std::uint32_t a, std::uint32_t b) {
    return names[a].size() != names[b].size() ? names[a].size() < names[b].size() : names[a] < names[b];
  };
  std::vector<std::uint32_t> byRank = at;
  std::sort(byRank.begin(), byRank.end(), before);
  std::vector<std::uint32_t> rank(count);
  for (std::uint32_t r = 0; r < count; ++r)
    rank[byRank[r]] = r > 0 && !before(byRank[r - 1], byRank[r]) ? rank[byRank[r - 1]] : r;

  std::vector<std::uint32_t> keys(count);
  for (std::uint32_t k = 0; k < count; ++k) keys[k] = static_cast<std::uint32_t>(names[k].size());
  const int byLength = ExchangePass(keys, at);
  for (std::uint32_t k = 0; k < count; ++k) keys[k] = rank[at[k]];
  const int byBytes = ExchangePass(keys, at);

  const auto reorder = [&](std::span<std::string> table) {
    std::vector<std::string> moved(count);
    for (std::uint32_t k = 0; k < count; ++k) moved[k] = std::move(table[at[k]]);
    std::move(moved.begin(), moved.end(), table.begin());
  };
  reorder(names);
  if (!paths.empty()) reorder(paths);
  return byLength + byBytes;
}

}  // namespace kelvora
