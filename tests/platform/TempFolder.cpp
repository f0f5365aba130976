#include "platform/TempFolder.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace kelvora::test {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& base) {
  std::string pattern = base + "/kelvora-test-XXXXXX";
  if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  EXPECT_FALSE(path_.empty()) << "mkdtemp under " << base << " failed";
}

TempFolder::~TempFolder() {
  if (path_.empty()) return;
  // Tests leave read-only folders behind; their content can only go once they are writable again.
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(path_, error); !error && it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (it->is_directory(error) && !it->is_symlink(error)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, error);
    }
  }
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, error);
  fs::remove_all(path_, error);
}

std::string TempFolder::DefaultBase() {
  const char* base = getenv("TMPDIR");
  return base != nullptr && *base != '\0' ? base : "/tmp";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0;
}

struct stat LinkStatus(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(lstat(path.c_str(), &status), 0) << path;
  return status;
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kelvora::test
