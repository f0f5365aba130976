#include <gtest/gtest.h>

#include "app/TarnwickApp.h"

namespace kelvora {
namespace {

struct TitleRow {
  const char* path;
  CodePage codePage;
  const char* expected;
};

TEST(ExecutableTitle, IsTheFileNameWithoutFolderAndExtension) {
  const TitleRow rows[] = {
      {"/usr/bin/kelvora", CodePage::kUtf8, "kelvora"},
      {"C:\\Tools\\Kelvora.exe", CodePage::kShiftJis, "Kelvora"},
      {"kelvora.exe", CodePage::kUtf8, "kelvora"},
      {"/opt/.kelvora", CodePage::kUtf8, ".kelvora"},
      // "ソフト.exe": the trail byte of "ソ" is 0x5C and must not end the folder.
      {"C:\\Tools\\\x83\x5C\x83\x74\x83\x67.exe", CodePage::kShiftJis, "\x83\x5C\x83\x74\x83\x67"},
      {"C:/Tools\\\x83\x5C.exe", CodePage::kShiftJis, "\x83\x5C"},
  };
  for (const TitleRow& row : rows) {
    SCOPED_TRACE(row.path);
    EXPECT_EQ(ExecutableTitle(row.path, row.codePage), row.expected);
  }
}

}  // namespace
}  // namespace kelvora
