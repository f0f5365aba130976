#include "rules/SortFileTable.h"

#include <utility>

namespace kelvora {
namespace {

// One exchange pass: for each position, every later entry that must come before it changes places with it
// at once.
template <typename Before>
int ExchangePass(std::span<std::string> names, std::span<std::string> paths, Before before) {
  int exchanges = 0;
  for (std::size_t p = 0; p < names.size(); ++p)
    for (std::size_t j = p + 1; j < names.size(); ++j)
      if (before(names[j], names[p])) {
        std::swap(names[p], names[j]);
        if (!paths.empty()) std::swap(paths[p], paths[j]);
        ++exchanges;
      }
  return exchanges;
}

}  // namespace

int SortFileTable(std::span<std::string> names, std::span<std::string> paths) {
  const int byLength = ExchangePass(names, paths, [](const std::string& a, const std::string& b) {
    return a.size() < b.size();
  });
  // std::string compares bytes as unsigned char, which is the order wanted here.
  const int byBytes = ExchangePass(names, paths, [](const std::string& a, const std::string& b) {
    return a.size() == b.size() && a < b;
  });
  return byLength + byBytes;
}

}  // namespace kelvora
