#pragma once

#include <cstddef>
#include <string_view>

namespace kelvora {

/// The multibyte code pages the program's byte strings may be in.
enum class CodePage { kUtf8, kShiftJis };

/// The code page of names and texts on this system.
inline constexpr CodePage kSystemCodePage =
#ifdef _WIN32
    CodePage::kShiftJis;
#else
    CodePage::kUtf8;
#endif

/// Length in bytes of the character that starts at `pos`; a malformed or cut sequence counts as one byte,
/// so a walk always moves on.
std::size_t CharLength(std::string_view text, std::size_t pos, CodePage codePage);

/// Position of the last `c` that is a character of its own, stepping over multibyte characters (a Shift-JIS
/// trail byte equal to '\\' or '.' is not taken for one); npos when there is none.
std::size_t FindLastChar(std::string_view text, char c, CodePage codePage);

/// The longest length not above `maxBytes` at which `text` can be cut without splitting a character.
std::size_t CutToCharBoundary(std::string_view text, std::size_t maxBytes, CodePage codePage);

}  // namespace kelvora
