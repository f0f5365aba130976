#include <gtest/gtest.h>

#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

// A plan trusts a folder's listing for the names taken there only where this says yes: a folder whose lookups
// find another spelling of a name must never say so.
TEST(NamesAreExactTest, NeverClaimedWhereALookupFindsAnotherSpelling) {
  PosixFileSystem fs;
  for (const std::string& base : {test::TempFolder::DefaultBase(), std::string("/dev/shm")}) {
    SCOPED_TRACE(base);
    const test::TempFolder folder(base);
    test::WriteBytes(folder / "photo.jpg", "");
    if (test::Exists(folder / "PHOTO.JPG")) {
      EXPECT_FALSE(fs.NamesAreExact(folder.path()));
    }
  }
}

TEST(NamesAreExactTest, OnlyForAFolderThatExists) {
  const test::TempFolder root;
  PosixFileSystem fs;
  EXPECT_FALSE(fs.NamesAreExact(root / "missing"));
  test::WriteBytes(root / "file", "");
  EXPECT_FALSE(fs.NamesAreExact(root / "file"));
}

}  // namespace
}  // namespace kelvora
