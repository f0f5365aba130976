#include "platform/fs/win32/Win32FileId.h"

#include <cctype>

#include "platform/fs/win32/Win32Handle.h"

namespace kelvora {

std::optional<BY_HANDLE_FILE_INFORMATION> FileInformation(const std::string& path, bool throughLink) {
  // Reading attributes needs no access to the content and shares everything, so a file another program
  // holds open is still identified. FILE_FLAG_BACKUP_SEMANTICS is what lets CreateFile open a folder.
  const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (throughLink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
  const UniqueHandle file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      flags, nullptr));
  BY_HANDLE_FILE_INFORMATION information;
  if (!file || !GetFileInformationByHandle(file.get(), &information)) return std::nullopt;
  return information;
}

FileId IdOf(const BY_HANDLE_FILE_INFORMATION& information) {
  return {information.dwVolumeSerialNumber,
          (static_cast<std::uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow};
}

bool IsMoveCopy(const std::string& name, DWORD attributes) {
  const std::string prefix = kMoveCopyPrefix;
  const std::string suffix = ".tmp";
  if (!(attributes & FILE_ATTRIBUTE_HIDDEN) || name.size() <= prefix.size() + suffix.size() ||
      name.size() > prefix.size() + 4 + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  for (std::size_t i = prefix.size(); i < name.size() - suffix.size(); ++i)
    if (!std::isxdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

}  // namespace kelvora
