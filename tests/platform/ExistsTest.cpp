#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

TEST(ExistsTest, AnyEntryTakesItsNameAlsoALinkWhoseTargetIsGone) {
  const test::TempFolder root;
  test::WriteBytes(root / "file", "x");
  ASSERT_EQ(mkdir((root / "folder").c_str(), 0755), 0);
  ASSERT_EQ(symlink("nowhere", (root / "dangling").c_str()), 0);
  PosixFileSystem fs;
  const std::pair<std::string, bool> cases[] = {
      {root / "file", true},     {root / "folder", true},        {root / "dangling", true},
      {root / "missing", false}, {root / "missing/file", false}, {root / "file/below", false},
  };
  for (const auto& [path, taken] : cases) {
    SCOPED_TRACE(path);
    EXPECT_EQ(fs.Exists(path), taken);
  }
}

}  // namespace
}  // namespace kelvora
