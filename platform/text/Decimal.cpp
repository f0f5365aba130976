#include "platform/text/Decimal.h"

#include <algorithm>
#include <limits>

namespace kelvora {

std::int32_t LeadingInteger(std::string_view text) {
  constexpr std::int64_t kMin = std::numeric_limits<std::int32_t>::min();
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  std::size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  // Saturating just past the range keeps the accumulator from overflowing on any number of digits.
  std::int64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos)
    magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kMax + 1);
  return static_cast<std::int32_t>(std::clamp(negative ? -magnitude : magnitude, kMin, kMax));
}

}  // namespace kelvora
