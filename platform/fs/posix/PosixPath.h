#pragma once

#include <string>

namespace kelvora {

/// The folder that holds `path`: "a/b" -> "a", "/b" -> "/", "b" -> ".". Trailing and doubled separators
/// are ignored, so "a//b/" -> "a".
std::string ParentFolder(const std::string& path);

}  // namespace kelvora
