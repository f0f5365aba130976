#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

TEST(SameFolderTest, KnowsOneFolderHoweverItIsSpelt) {
  const test::TempFolder root;
  ASSERT_EQ(mkdir((root / "a").c_str(), 0755), 0);
  ASSERT_EQ(mkdir((root / "b").c_str(), 0755), 0);
  ASSERT_EQ(symlink("a", (root / "link").c_str()), 0);
  PosixFileSystem fs;
  struct Case {
    std::string a;
    std::string b;
    bool same;
  };
  const Case cases[] = {
      {root / "a", root / "a", true},
      {root / "a", root / "a/", true},
      {root / "a", root / "a/../a", true},
      {root / "a", root / "link", true},
      {root / "a", root / "b", false},
      {root / "a", root / "missing", false},
      {root / "missing", root / "missing", false},
      {"", "", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " vs " + c.b);
    EXPECT_EQ(fs.SameFolder(c.a, c.b), c.same);
    EXPECT_EQ(fs.SameFolder(c.b, c.a), c.same);
  }
}

}  // namespace
}  // namespace kelvora
