#include <gtest/gtest.h>

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

}  // namespace
}  // namespace kelvora
