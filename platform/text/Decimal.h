#pragma once

#include <cstdint>
#include <string_view>

namespace kelvora {

/// The leading decimal integer of `text` as atoi and strtol read it in the C locale: white space skipped, an
/// optional sign, digits up to the first other character; 0 when there is none; clamped to the 32-bit range.
std::int32_t LeadingInteger(std::string_view text);

}  // namespace kelvora
