#pragma once

#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

namespace kelvora {

/// A file's whole content.
inline std::string Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

/// Makes or overwrites a file.
inline void Write(const std::string& path, const std::string& content) {
  std::ofstream(path, std::ios::binary) << content;
}

/// True when a file or folder has the name.
inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

/// The system's folder for temporary files.
inline std::string TempParent() {
  char path[MAX_PATH];
  GetTempPathA(MAX_PATH, path);
  return path;
}

// A fresh folder under `parent`, emptied and removed when the test ends.
class TempFolder {
 public:
  explicit TempFolder(const std::string& parent = TempParent()) {
    char name[MAX_PATH];
    GetTempFileNameA(parent.c_str(), "kvt", 0, name);
    DeleteFileA(name);
    path_ = name;
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() { RemoveTree(path_); }

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  static void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = folder + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(path);
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(find, &found));
      FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
  }

  std::string path_;
};

}  // namespace kelvora
