#include "rules/AutoCode.h"

#include "rules/CodeAlphabet.h"

namespace kelvora {

std::string ComposeCodeText(const std::array<std::string, kCodeLength>& codeChars) {
  std::string text;
  for (int k = kCodeLength - 1; k >= 0; --k) text += codeChars[k];
  return text;
}

void AdvanceCode(std::array<std::string, kCodeLength>& codeChars, std::array<std::int32_t, kCodeLength>& codeIndex) {
  int k = 0;
  while (k < kCodeLength - 1 && codeChars[k] == "Z") codeIndex[k++] = 0;
  if (k < kCodeLength - 1 || codeChars[k] != "Z") {
    ++codeIndex[k];
  } else {
    codeIndex.fill(0);
    codeIndex[kCodeLength - 1] = 1;
  }
  for (int i = 0; i < kCodeLength; ++i) {
    // The settings reader keeps every index within the alphabet; wrap defensively all the same, so a symbol
    // is never read from outside it.
    const auto index = static_cast<std::size_t>(codeIndex[i]) % CodeAlphabet.size();
    codeChars[i] = std::string(1, CodeAlphabet[index]);
  }
}

}  // namespace kelvora
