#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/fs/FileSystem.h"

namespace kelvora {

/// What the system keeps about the file or folder `path` names (not following a link unless
/// `throughLink`); nullopt when it cannot be opened even for reading its attributes.
std::optional<BY_HANDLE_FILE_INFORMATION> FileInformation(const std::string& path, bool throughLink);

/// The volume and the file index of `information`: one file under any of its names.
FileId IdOf(const BY_HANDLE_FILE_INFORMATION& information);

/// True for the name of a copy that a move to another volume writes beside its target (kvrXXXX.tmp, as
/// GetTempFileNameA makes it) when it also has the hidden mark the move gives it.
bool IsMoveCopy(const std::string& name, DWORD attributes);

/// The prefix GetTempFileNameA gets for those copies.
inline constexpr const char* kMoveCopyPrefix = "kvr";

}  // namespace kelvora
