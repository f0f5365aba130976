#include <gtest/gtest.h>

#include "platform/text/Multibyte.h"

namespace kelvora {
namespace {

struct SearchRow {
  std::string text;
  char c;
  CodePage codePage;
  std::size_t expected;
};

TEST(Multibyte, LastSeparatorStepsOverDoubleByteTrailBytes) {
  // ソ is 0x83 0x5C and 表 is 0x95 0x5C in Shift-JIS: their trail byte is the backslash byte.
  const std::string so = "\x83\x5C";
  const std::string hyo = "\x95\x5C";
  const SearchRow rows[] = {
      {"C:\\" + so + "\\a.jpg", '\\', CodePage::kShiftJis, 5},
      {"C:\\" + hyo + so, '\\', CodePage::kShiftJis, 2},
      {"C:\\" + hyo + "\\" + so + ".jpg", '\\', CodePage::kShiftJis, 5},
      {so + hyo, '\\', CodePage::kShiftJis, std::string::npos},
      {"a\\b", '\\', CodePage::kShiftJis, 1},
      {"/home/\xE5\x86\x99\xE7\x9C\x9F/\xE3\x82\xBD.jpg", '/', CodePage::kUtf8, 12},  // /home/写真/ソ.jpg
      {"\xE5\x90\x8D\xE5\x89\x8D", '/', CodePage::kUtf8, std::string::npos},        // 名前
      {"a.b\xE3\x81.c", '.', CodePage::kUtf8, 5},  // a cut sequence still lets the walk move on
  };
  for (const SearchRow& row : rows) EXPECT_EQ(FindLastChar(row.text, row.c, row.codePage), row.expected) << row.text;
}

TEST(Multibyte, CutNeverSplitsACharacter) {
  const std::string text = "ab\xE5\x86\x99\xE7\x9C\x9F";  // ab写真 in UTF-8: 2 + 3 + 3 bytes
  EXPECT_EQ(CutToCharBoundary(text, 8, CodePage::kUtf8), 8u);
  EXPECT_EQ(CutToCharBoundary(text, 7, CodePage::kUtf8), 5u);
  EXPECT_EQ(CutToCharBoundary(text, 4, CodePage::kUtf8), 2u);
  EXPECT_EQ(CutToCharBoundary("a\x83\x5C", 2, CodePage::kShiftJis), 1u);
}

}  // namespace
}  // namespace kelvora
