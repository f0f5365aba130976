#pragma once

#include <sys/stat.h>

#include <string>
#include <vector>

namespace kelvora::test {

/// A fresh folder made with mkdtemp under `base`, removed with everything in it when the object goes.
class TempFolder {
 public:
  explicit TempFolder(const std::string& base = DefaultBase());
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();

  /// $TMPDIR, or /tmp when it is not set.
  static std::string DefaultBase();

  const std::string& path() const { return path_; }
  /// The path of `name` inside this folder.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
/// True when the name exists, as itself: a dangling link counts.
bool Exists(const std::string& path);
struct stat LinkStatus(const std::string& path);
/// The names in `folder`, sorted, without "." and "..".
std::vector<std::string> Names(const std::string& folder);

}  // namespace kelvora::test
