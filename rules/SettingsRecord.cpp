#include "rules/SettingsRecord.h"

#include <algorithm>
#include <vector>

#include "rules/CodeAlphabet.h"
#include "platform/text/Decimal.h"
#include "platform/text/Multibyte.h"

namespace kelvora {
namespace {

constexpr std::size_t kMaxTextBytes = 259;

/// A: the code a first start counts from.
constexpr std::array<std::int32_t, kCodeLength> kDefaultCodeIndex{0, 0, 0, 0, 0, 0, 1};

/// The one place that knows the order of the fields on the line; reading and writing both walk it.
template <typename Record, typename OnText, typename OnInteger>
void ForEachField(Record& record, OnText onText, OnInteger onInteger) {
  onText(record.sourceFolder);
  onText(record.destFolder);
  onText(record.prefixText);
  onText(record.serialText);
  for (auto& symbol : record.codeChars) onText(symbol);
  for (auto& index : record.codeIndex) onInteger(index);
  onInteger(record.autoCodeOn);
  onInteger(record.serialOn);
  onInteger(record.appendOn);
  onInteger(record.noConfirm);
  onInteger(record.namingMode);
  onInteger(record.windowLeft);
  onInteger(record.windowTop);
  onInteger(record.windowRight);
  onInteger(record.windowBottom);
}

void SetCodeCharsFromIndices(SettingsRecord& record) {
  for (int k = 0; k < kCodeLength; ++k) record.codeChars[k] = std::string(1, CodeAlphabet[record.codeIndex[k]]);
}

/// The indices are what the counter steps, so valid indices win over whatever symbols were stored beside
/// them. An index outside the alphabet leaves nothing trustworthy to count on, so the whole code restarts
/// from the default rather than keeping the positions that happen to be valid.
void RepairCode(SettingsRecord& record) {
  const bool indicesValid =
      std::ranges::all_of(record.codeIndex, [](std::int32_t index) { return index >= 0 && index < kCodeDigits; });
  if (!indicesValid) record.codeIndex = kDefaultCodeIndex;
  SetCodeCharsFromIndices(record);
}

/// A file may have been edited by hand or damaged; the line break fgets kept must not reach a field.
std::string_view WithoutLineBreak(std::string_view line) {
  if (line.ends_with("\r\n")) return line.substr(0, line.size() - 2);
  if (line.ends_with('\n')) return line.substr(0, line.size() - 1);
  return line;
}

/// Tab-separated like strtok: runs of tabs are one separator, so empty fields do not exist.
std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t pos = line.find_first_not_of('\t');
  while (pos != std::string_view::npos && fields.size() < kSettingsFieldCount) {
    const std::size_t end = line.find('\t', pos);
    fields.push_back(line.substr(pos, end - pos));
    pos = line.find_first_not_of('\t', end);
  }
  return fields;
}

/// An empty text would vanish between two tabs and shift every later field when read back.
void AppendText(std::string& line, const std::string& text) {
  line += text.empty() ? std::string(" ") : StorableText(text);
}

}  // namespace

std::string StorableText(std::string_view text) {
  std::string storable(text.substr(0, CutToCharBoundary(text, kMaxTextBytes, kSystemCodePage)));
  for (char& c : storable) {
    if (c == '\t' || c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return storable;
}

SettingsRecord DefaultSettings() {
  SettingsRecord record;
  record.sourceFolder = "C:\\temp001";
  record.destFolder = "C:\\temp002";
  record.prefixText = "IMG001-";
  record.serialText = "1";
  record.codeIndex = kDefaultCodeIndex;
  SetCodeCharsFromIndices(record);
  record.autoCodeOn = 1;
  record.serialOn = 0;
  record.appendOn = 1;
  record.noConfirm = 0;
  record.namingMode = 1;
  record.windowLeft = 0;
  record.windowTop = 0;
  record.windowRight = 219;
  record.windowBottom = 219;
  return record;
}

std::optional<SettingsRecord> ParseSettingsLine(std::string_view line) {
  line = WithoutLineBreak(line.substr(0, line.find('\0')));
  const std::vector<std::string_view> fields = SplitFields(line);
  if (fields.size() < kSettingsFieldCount) return std::nullopt;

  SettingsRecord record;
  auto field = fields.begin();
  ForEachField(
      record, [&](std::string& text) { text = StorableText(*field++); },
      [&](std::int32_t& value) { value = LeadingInteger(*field++); });

  if (record.prefixText == " ") record.prefixText.clear();
  if (record.serialText == " ") record.serialText = "1";
  RepairCode(record);
  return record;
}

std::string FormatSettingsLine(const SettingsRecord& record) {
  std::string line;
  ForEachField(
      record,
      [&](const std::string& text) {
        AppendText(line, text);
        line += '\t';
      },
      [&](std::int32_t value) {
        line += std::to_string(value);
        line += '\t';
      });
  return line;
}

}  // namespace kelvora
