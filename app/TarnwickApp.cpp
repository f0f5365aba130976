#include "app/TarnwickApp.h"

#include <algorithm>

namespace kelvora {

std::string ExecutableTitle(std::string_view executablePath, CodePage codePage) {
  // A Shift-JIS trail byte may equal '\\' ("ソ" is 0x83 0x5C), so the folder ends at the last separator that
  // is a character of its own.
  const std::size_t backslash = FindLastChar(executablePath, '\\', codePage);
  const std::size_t forward = FindLastChar(executablePath, '/', codePage);
  const std::size_t slash = backslash == std::string_view::npos ? forward
                            : forward == std::string_view::npos ? backslash
                                                                : std::max(backslash, forward);
  std::string_view name = slash == std::string_view::npos ? executablePath : executablePath.substr(slash + 1);
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos && dot != 0) name = name.substr(0, dot);
  return std::string(name);
}

}  // namespace kelvora
