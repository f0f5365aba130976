#pragma once

#include <string_view>

namespace kelvora {

/// The symbols of the auto code, digit value 0 first: '0' is 0, 'A' is 1 ... 'Z' is 26.
inline constexpr std::string_view CodeAlphabet = "0ABCDEFGHIJKLMNOPQRSTUVWXYZ";

/// Number of values one code position can take.
inline constexpr int kCodeDigits = 27;

static_assert(CodeAlphabet.size() == kCodeDigits);

}  // namespace kelvora
