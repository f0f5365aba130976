#include "rules/NameRule.h"

#include <cstdio>

#include "platform/text/Multibyte.h"

namespace kelvora {
namespace {

std::string_view BaseOf(const NameInputs& inputs) {
  if (inputs.namingMode == kModeStamp) return inputs.stampText;
  return inputs.options.useAutoCode ? inputs.codeText : inputs.specifiedText;
}

std::string_view ExtensionOf(std::string_view oldName) {
  const std::size_t dot = FindLastChar(oldName, '.', kSystemCodePage);
  return dot == std::string_view::npos ? std::string_view{} : oldName.substr(dot);
}

}  // namespace

std::string ComposeNewName(const NameInputs& inputs, std::string_view oldName, std::int32_t& nextSerial) {
  if (inputs.moveOnly) return std::string(oldName);
  const RunOptions& options = inputs.options;
  std::string name(BaseOf(inputs));
  if (options.useSerial) {
    // A typed text is followed directly by its number; a stamp or a code is set off by "_".
    if (inputs.namingMode != kModeText || options.useAutoCode) name += '_';
    char number[16];
    std::snprintf(number, sizeof number, "%04d", static_cast<int>(nextSerial));
    name += number;
    ++nextSerial;
  }
  if (options.appendWholeName) {
    if (options.useAutoCode || options.useSerial) name += '_';
    name += oldName;
  } else {
    name += ExtensionOf(oldName);
  }
  return name;
}

}  // namespace kelvora
