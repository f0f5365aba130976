// Feeds arbitrary settings lines to the reader and checks that whatever it accepts is a record the program
// can hold, write and read back unchanged.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "rules/CodeAlphabet.h"
#include "rules/SettingsRecord.h"

namespace {

using kelvora::SettingsRecord;

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void RequireHoldable(const SettingsRecord& record) {
  for (const std::string* text : {&record.sourceFolder, &record.destFolder, &record.prefixText, &record.serialText})
    Require(text->size() <= 259);
  for (int k = 0; k < kelvora::kCodeLength; ++k) {
    const std::int32_t index = record.codeIndex[k];
    Require(index >= 0 && index < kelvora::kCodeDigits);
    Require(record.codeChars[k].size() == 1 && record.codeChars[k][0] == kelvora::CodeAlphabet[index]);
  }
}

/// Writes `record` and reads it back; the line must come back whole.
SettingsRecord Reread(const SettingsRecord& record) {
  const std::string line = kelvora::FormatSettingsLine(record);
  Require(std::count(line.begin(), line.end(), '\t') == kelvora::kSettingsFieldCount);
  const std::optional<SettingsRecord> reread = kelvora::ParseSettingsLine(line);
  Require(reread.has_value());
  RequireHoldable(*reread);
  return *reread;
}

/// What fgets would hand over from a file starting with `input`.
std::string_view FirstLine(std::string_view input) {
  input = input.substr(0, kelvora::kSettingsLineBuffer - 1);
  const std::size_t lineBreak = input.find('\n');
  return lineBreak == std::string_view::npos ? input : input.substr(0, lineBreak + 1);
}

/// `input`, cut into four texts as a user might type them, captured into the record: the line written from
/// it reads back exactly, apart from the two placeholders.
void RequireCapturedTextsSurvive(std::string_view input) {
  SettingsRecord captured = kelvora::DefaultSettings();
  const std::size_t quarter = input.size() / 4;
  captured.sourceFolder = kelvora::StorableText(input.substr(0, quarter));
  captured.destFolder = kelvora::StorableText(input.substr(quarter, quarter));
  captured.prefixText = kelvora::StorableText(input.substr(2 * quarter, quarter));
  captured.serialText = kelvora::StorableText(input.substr(3 * quarter));
  if (captured.sourceFolder.empty()) captured.sourceFolder = "/";
  if (captured.destFolder.empty()) captured.destFolder = "/";
  SettingsRecord expected = captured;
  if (expected.prefixText == " ") expected.prefixText.clear();
  if (expected.serialText.empty() || expected.serialText == " ") expected.serialText = "1";
  Require(kelvora::ParseSettingsLine(kelvora::FormatSettingsLine(captured)) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  RequireCapturedTextsSurvive(input);
  const std::optional<SettingsRecord> record = kelvora::ParseSettingsLine(FirstLine(input));
  if (!record) return 0;
  RequireHoldable(*record);
  // The first write may still change the record (placeholders, separators inside texts); from then on a
  // record read from a written line must survive every further write and read exactly.
  const SettingsRecord written = Reread(*record);
  Require(Reread(written) == written);
  return 0;
}
