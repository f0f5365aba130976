#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rules/SettingsRecord.h"

namespace kelvora {

/// The seven code symbols shown most significant first (position 6 down to position 0).
std::string ComposeCodeText(const std::array<std::string, kCodeLength>& codeChars);

/// Advances the code by one, an odometer in base 27 over "0ABCDEFGHIJKLMNOPQRSTUVWXYZ" whose carry is
/// decided by a position's symbol ('Z') and whose increment is made on its index; ZZZZZZZ wraps to the
/// default A000000. Every symbol is then rebuilt from its index.
void AdvanceCode(std::array<std::string, kCodeLength>& codeChars, std::array<std::int32_t, kCodeLength>& codeIndex);

}  // namespace kelvora
