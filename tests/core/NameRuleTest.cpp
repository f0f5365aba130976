#include <gtest/gtest.h>

#include "rules/NameRule.h"
#include "platform/text/Decimal.h"

namespace kelvora {
namespace {

struct NameRow {
  int mode;
  bool autoCode, serial, append;
  const char* expected;
};

class AllCombinations : public ::testing::TestWithParam<NameRow> {};

TEST_P(AllCombinations, BaseSerialAndTail) {
  const NameRow& row = GetParam();
  const NameInputs inputs{row.mode, {row.autoCode, row.serial, row.append}, "20240131-235959", "A00000B", "IMG001-"};
  std::int32_t next = 1;
  EXPECT_EQ(ComposeNewName(inputs, "IMG_0001.JPG", next), row.expected);
  EXPECT_EQ(next, row.serial ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    NameRule, AllCombinations,
    ::testing::Values(NameRow{0, false, false, false, "20240131-235959.JPG"},
                      NameRow{0, false, false, true, "20240131-235959IMG_0001.JPG"},
                      NameRow{0, false, true, false, "20240131-235959_0001.JPG"},
                      NameRow{0, false, true, true, "20240131-235959_0001_IMG_0001.JPG"},
                      NameRow{0, true, false, false, "20240131-235959.JPG"},
                      NameRow{0, true, false, true, "20240131-235959_IMG_0001.JPG"},
                      NameRow{0, true, true, false, "20240131-235959_0001.JPG"},
                      NameRow{0, true, true, true, "20240131-235959_0001_IMG_0001.JPG"},
                      NameRow{1, false, false, false, "IMG001-.JPG"},
                      NameRow{1, false, false, true, "IMG001-IMG_0001.JPG"},
                      NameRow{1, false, true, false, "IMG001-0001.JPG"},
                      NameRow{1, false, true, true, "IMG001-0001_IMG_0001.JPG"},
                      NameRow{1, true, false, false, "A00000B.JPG"},
                      NameRow{1, true, false, true, "A00000B_IMG_0001.JPG"},
                      NameRow{1, true, true, false, "A00000B_0001.JPG"},
                      NameRow{1, true, true, true, "A00000B_0001_IMG_0001.JPG"}));

TEST(NameRule, ExtensionIsFromTheLastDot) {
  const NameInputs inputs{kModeText, {false, true, false}, "", "", "X"};
  const std::pair<const char*, const char*> cases[] = {
      {".profile", "X0001.profile"}, {"archive.tar.gz", "X0001.gz"}, {"README", "X0001"},
      {"写真.jpeg", "X0001.jpeg"},     {"trailing.", "X0001."},
  };
  for (const auto& [oldName, expected] : cases) {
    std::int32_t next = 1;
    EXPECT_EQ(ComposeNewName(inputs, oldName, next), expected) << oldName;
  }
}

TEST(NameRule, MoveOnlyKeepsNameAndCounter) {
  const NameInputs inputs{kModeText, {true, true, true}, "", "A000000", "", true};
  std::int32_t next = 9999;
  EXPECT_EQ(ComposeNewName(inputs, "a.txt", next), "a.txt");
  EXPECT_EQ(next, 9999);
  EXPECT_FALSE(TakesSerial(inputs));
}

TEST(NameRule, NegativeAndWideSerialsUsePrintfPadding) {
  const NameInputs inputs{kModeText, {false, true, false}, "", "", "N"};
  std::int32_t next = -5;
  EXPECT_EQ(ComposeNewName(inputs, "a.txt", next), "N-005.txt");
  next = 0;
  EXPECT_EQ(ComposeNewName(inputs, "a.txt", next), "N0000.txt");
  next = 12345;
  EXPECT_EQ(ComposeNewName(inputs, "a.txt", next), "N12345.txt");
}

TEST(NameRule, SerialLimitIsAboveNineThousandNineHundredNinetyNine) {
  EXPECT_FALSE(SerialLimitReached(9999));
  EXPECT_TRUE(SerialLimitReached(10000));
  EXPECT_FALSE(SerialLimitReached(-5));
}

TEST(NameRule, LeadingIntegerReadsLikeAtoi) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"", 0},          {"abc", 0},        {"0", 0},   {"  42x", 42},  {"-5", -5}, {"+7", 7},
      {"12000", 12000}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}, {"\t\n3", 3}, {"- 3", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(LeadingInteger(text), value) << text;
}

}  // namespace
}  // namespace kelvora
