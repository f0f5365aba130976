#include "platform/text/Multibyte.h"

namespace kelvora {

// POSIX systems name files in UTF-8; they have no ANSI code page of their own.
std::size_t AnsiCharLength(std::string_view text, std::size_t pos) { return Utf8CharLength(text, pos); }

}  // namespace kelvora
