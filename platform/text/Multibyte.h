#pragma once

#include <cstddef>
#include <string_view>

namespace kelvora {

/// The multibyte code pages the program's byte strings may be in.
enum class CodePage {
  kUtf8,
  kShiftJis,
  /// Windows' ANSI code page, taken from the system at run time: Shift-JIS (932) on a Japanese system,
  /// single bytes (1252) on a Western one. Elsewhere the system's names are UTF-8, and so is this.
  kAnsi,
};

/// The code page of names and texts on this system.
inline constexpr CodePage kSystemCodePage =
#ifdef _WIN32
    CodePage::kAnsi;
#else
    CodePage::kUtf8;
#endif

/// Length in bytes of the character of the ANSI code page that starts at `pos` (see CodePage::kAnsi).
std::size_t AnsiCharLength(std::string_view text, std::size_t pos);

/// Length in bytes of the UTF-8 character that starts at `pos`.
std::size_t Utf8CharLength(std::string_view text, std::size_t pos);

/// Length in bytes of the character that starts at `pos`; a malformed or cut sequence counts as one byte,
/// so a walk always moves on.
std::size_t CharLength(std::string_view text, std::size_t pos, CodePage codePage);

/// Position of the last `c` that is a character of its own, stepping over multibyte characters (a Shift-JIS
/// trail byte equal to '\\' or '.' is not taken for one); npos when there is none.
std::size_t FindLastChar(std::string_view text, char c, CodePage codePage);

/// The longest length not above `maxBytes` at which `text` can be cut without splitting a character.
std::size_t CutToCharBoundary(std::string_view text, std::size_t maxBytes, CodePage codePage);

}  // namespace kelvora
