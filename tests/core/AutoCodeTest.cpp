#include <gtest/gtest.h>

#include "rules/AutoCode.h"
#include "rules/CodeAlphabet.h"

namespace kelvora {
namespace {

// Sets the code from its text (most significant first), with indices that agree.
void SetCode(std::string_view text, std::array<std::string, kCodeLength>& chars,
             std::array<std::int32_t, kCodeLength>& index) {
  for (int k = 0; k < kCodeLength; ++k) {
    const char symbol = text[kCodeLength - 1 - k];
    chars[k] = std::string(1, symbol);
    index[k] = static_cast<std::int32_t>(CodeAlphabet.find(symbol));
  }
}

TEST(AutoCode, AdvancesAsAnOdometerInBase27) {
  const std::pair<const char*, const char*> cases[] = {
      {"A000000", "A00000A"}, {"A00000A", "A00000B"}, {"A00000Z", "A0000A0"}, {"A0000ZZ", "A000A00"},
      {"AZZZZZZ", "B000000"}, {"ZZZZZZZ", "A000000"}, {"0000000", "000000A"}, {"Z00000Y", "Z00000Z"},
  };
  for (const auto& [before, after] : cases) {
    std::array<std::string, kCodeLength> chars;
    std::array<std::int32_t, kCodeLength> index{};
    SetCode(before, chars, index);
    AdvanceCode(chars, index);
    EXPECT_EQ(ComposeCodeText(chars), after) << before;
    std::array<std::string, kCodeLength> expectedChars;
    std::array<std::int32_t, kCodeLength> expectedIndex{};
    SetCode(after, expectedChars, expectedIndex);
    EXPECT_EQ(index, expectedIndex) << before;
  }
}

TEST(AutoCode, TextShowsPositionSixFirst) {
  const std::array<std::string, kCodeLength> chars = {"B", "0", "0", "0", "0", "0", "A"};
  EXPECT_EQ(ComposeCodeText(chars), "A00000B");
}

}  // namespace
}  // namespace kelvora
