#include <gtest/gtest.h>

#include <random>
#include <utility>
#include <vector>

#include "rules/SortFileTable.h"

namespace kelvora {
namespace {

struct SortRow {
  std::vector<std::string> in;
  std::vector<std::string> out;
  int exchanges;
};

TEST(SortFileTable, ShorterFirstThenByUnsignedBytes) {
  const std::string nineBytes = "123456789";
  const std::string tenDoubleByte = "\x83\x5C\x83\x5C\x83\x5C\x83\x5C\x83\x5C";  // five Shift-JIS characters
  const SortRow rows[] = {
      {{}, {}, 0},
      {{"only"}, {"only"}, 0},
      {{"1.jpg", "9.jpg", "10.jpg"}, {"1.jpg", "9.jpg", "10.jpg"}, 0},
      {{"10.jpg", "9.jpg", "1.jpg"}, {"1.jpg", "9.jpg", "10.jpg"}, 3},
      {{"b.txt", "B.txt"}, {"B.txt", "b.txt"}, 1},
      {{"ccc", "bb", "a"}, {"a", "bb", "ccc"}, 3},
      {{tenDoubleByte, "abcdefghij", nineBytes}, {nineBytes, "abcdefghij", tenDoubleByte}, 1},
      {{"\xA1x", "\x81x", "\xE0x"}, {"\x81x", "\xA1x", "\xE0x"}, 1},
      {{"写真.jpg", "aa.jpg"}, {"aa.jpg", "写真.jpg"}, 1},
  };
  for (const SortRow& row : rows) {
    std::vector<std::string> names = row.in;
    SCOPED_TRACE(::testing::PrintToString(row.in));
    EXPECT_EQ(SortFileTable(names), row.exchanges);
    EXPECT_EQ(names, row.out);
  }
}

TEST(SortFileTable, PathsMoveWithTheirNames) {
  std::vector<std::string> names = {"10.jpg", "9.jpg", "1.jpg", "9.jpg"};
  std::vector<std::string> paths = {"/a/10.jpg", "/b/9.jpg", "/c/1.jpg", "/d/9.jpg"};
  SortFileTable(names, paths);
  for (std::size_t k = 0; k < names.size(); ++k) {
    EXPECT_EQ(paths[k].substr(paths[k].rfind('/') + 1), names[k]);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"1.jpg", "9.jpg", "9.jpg", "10.jpg"}));
}

// The exchange sort as it reads, applied to the names themselves: the order of equal names and the exchange
// count must come out the same from the faster SortFileTable.
int ExchangeSortAsWritten(std::vector<std::string>& names, std::vector<std::string>& paths) {
  int exchanges = 0;
  const auto pass = [&](auto before) {
    for (std::size_t p = 0; p < names.size(); ++p)
      for (std::size_t j = p + 1; j < names.size(); ++j)
        if (before(names[j], names[p])) {
          std::swap(names[p], names[j]);
          std::swap(paths[p], paths[j]);
          ++exchanges;
        }
  };
  pass([](const std::string& a, const std::string& b) { return a.size() < b.size(); });
  pass([](const std::string& a, const std::string& b) { return a.size() == b.size() && a < b; });
  return exchanges;
}

TEST(SortFileTable, MakesTheSameExchangesAsTheExchangeSortAsWritten) {
  std::mt19937 random(20240131);
  // Few letters and short names, so that equal lengths and equal names (dropped from two folders) abound.
  const std::string letters = "ab1\xff";
  for (int table = 0; table < 300; ++table) {
    std::vector<std::string> names(random() % 40);
    std::vector<std::string> paths;
    for (std::string& name : names) {
      for (std::size_t length = random() % 4; length > 0; --length) name += letters[random() % letters.size()];
      paths.push_back("/" + std::to_string(paths.size()) + "/" + name);
    }
    std::vector<std::string> expectedNames = names;
    std::vector<std::string> expectedPaths = paths;
    const int expected = ExchangeSortAsWritten(expectedNames, expectedPaths);
    SCOPED_TRACE(::testing::PrintToString(names));
    EXPECT_EQ(SortFileTable(names, paths), expected);
    EXPECT_EQ(names, expectedNames);
    EXPECT_EQ(paths, expectedPaths);
  }
}

}  // namespace
}  // namespace kelvora
