#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text/Decimal.h"

namespace kelvora {

/// The check-box states a batch takes once at its start.
struct RunOptions {
  bool useAutoCode = false;      ///< IDC_AUTO: the base is the auto code (in specified-text mode)
  bool useSerial = false;        ///< IDC_SERIAL_ON: a four-digit serial number follows the base
  bool appendWholeName = false;  ///< IDC_APPEND: the whole old name follows; otherwise its extension only
};

/// Naming modes, the values of the mode radio group.
enum NamingMode : int { kModeStamp = 0, kModeText = 1 };

/// Highest serial number a name can carry; the entry after it ends the run.
inline constexpr std::int32_t kMaxSerial = 9999;

/// The first serial number of a run whose serial numbering is on, from the serial start text: its leading
/// integer, and 1 in place of 0 (also when the text holds no number).
inline std::int32_t SerialStart(std::string_view serialText) {
  const std::int32_t start = LeadingInteger(serialText);
  return start == 0 ? 1 : start;
}

/// Everything one composition reads besides the old name and the serial counter.
struct NameInputs {
  int namingMode = kModeText;
  RunOptions options;
  std::string_view stampText;
  std::string_view codeText;
  std::string_view specifiedText;
  bool moveOnly = false;
};

/// True when `nextSerial` is past the limit, so the run must stop before the next entry.
inline bool SerialLimitReached(std::int32_t nextSerial) { return nextSerial > kMaxSerial; }

/// The new name of `oldName`: base, optional serial part (which advances `nextSerial`), then the whole old
/// name or only its extension. A move-only run keeps the old name and leaves the counter alone.
std::string ComposeNewName(const NameInputs& inputs, std::string_view oldName, std::int32_t& nextSerial);

/// True when composing a name took a serial number, so a failed rename must give it back.
inline bool TakesSerial(const NameInputs& inputs) { return inputs.options.useSerial && !inputs.moveOnly; }

}  // namespace kelvora
