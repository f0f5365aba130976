#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kelvora {

/// Number of positions of the auto code.
inline constexpr int kCodeLength = 7;

/// Number of tab-terminated fields of the settings line.
inline constexpr int kSettingsFieldCount = 27;

/// Size of the line buffer the settings line is read into (at most one byte less is read).
inline constexpr std::size_t kSettingsLineBuffer = 4096;

/// Everything that survives from one run of the program to the next. Texts are bytes, at most 259 each.
struct SettingsRecord {
  std::string sourceFolder;
  std::string destFolder;
  std::string prefixText;
  std::string serialText;
  /// Position 0 (least significant, shown rightmost) first; one symbol of the code alphabet each.
  std::array<std::string, kCodeLength> codeChars;
  /// The digit values of the positions, indices into the code alphabet, position 0 first.
  std::array<std::int32_t, kCodeLength> codeIndex{};
  std::int32_t autoCodeOn = 0;
  std::int32_t serialOn = 0;
  std::int32_t appendOn = 0;
  std::int32_t noConfirm = 0;
  std::int32_t namingMode = 0;
  std::int32_t windowLeft = 0;
  std::int32_t windowTop = 0;
  std::int32_t windowRight = 0;
  std::int32_t windowBottom = 0;

  friend bool operator==(const SettingsRecord&, const SettingsRecord&) = default;
};

/// `text` as a text of the record can hold it: cut to 259 bytes at a character boundary, with the bytes that
/// would break the line (tab, line breaks, NUL) turned into spaces. Every text is made storable when it is
/// captured into the record and again when it is read from the line, so a line the program wrote always
/// reads back to the record it was written from.
std::string StorableText(std::string_view text);

/// The values a first start and a reset use.
SettingsRecord DefaultSettings();

/// Splits a settings line (as read, possibly with its line break) into a record. Returns nothing when the
/// line does not hold all 27 fields. Repairs what cannot be held faithfully: every text is made storable; a
/// code whose indices are all within the alphabet gets its symbols rebuilt
/// from them, any other code becomes the default code. The placeholders " " become "" (prefix) and "1"
/// (serial).
std::optional<SettingsRecord> ParseSettingsLine(std::string_view line);

/// The settings line of `record`: 27 fields, each followed by a tab, no line break. Texts are written as
/// StorableText makes them; an empty one as the placeholder " ".
std::string FormatSettingsLine(const SettingsRecord& record);

}  // namespace kelvora
