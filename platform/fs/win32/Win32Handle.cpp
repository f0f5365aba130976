#include "platform/fs/win32/Win32Handle.h"

#include <algorithm>

#include "platform/text/Multibyte.h"

namespace kelvora {

DWORD WriteAll(HANDLE file, const char* data, std::size_t size) {
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr)) return GetLastError();
    data += written;
    size -= written;
  }
  return 0;
}

std::string FolderPrefix(const std::string& folder) {
  const bool endsInSeparator = !folder.empty() && FindLastChar(folder, '\\', CodePage::kAnsi) == folder.size() - 1;
  return endsInSeparator ? folder : folder + '\\';
}

std::string ParentFolder(const std::string& path) {
  const std::size_t separator = FindLastChar(path, '\\', CodePage::kAnsi);
  if (separator == std::string::npos) return ".";
  // "C:\name" keeps its root separator: "C:" alone would mean the drive's current folder.
  if (separator == 2 && path[1] == ':') return path.substr(0, 3);
  return path.substr(0, separator);
}

}  // namespace kelvora
