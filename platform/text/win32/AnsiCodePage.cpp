#include <windows.h>

#include "platform/text/Multibyte.h"

namespace kelvora {

// The code page is asked for every time: it is the system's setting, and a test may run the same program
// under two of them. A lead byte whose trail the text lacks stands alone, so a walk always moves on.
std::size_t AnsiCharLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<BYTE>(text[pos]);
  if (IsDBCSLeadByteEx(GetACP(), lead) && pos + 1 < text.size() && text[pos + 1] != '\0') return 2;
  return 1;
}

}  // namespace kelvora
