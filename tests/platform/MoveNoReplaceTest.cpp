#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <vector>

#include "platform/MoveStrategyName.h"
#include "platform/TempFolder.h"
#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora {
namespace {

using test::Exists;
using test::Names;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// Moves within one file system, run once per strategy so that each fallback level is shown to hold on
// its own.
class MoveNoReplaceTest : public ::testing::TestWithParam<MoveStrategy> {
 protected:
  void MakeFolderWithFile(const std::string& folder) {
    ASSERT_EQ(mkdir(folder.c_str(), 0755), 0);
    WriteBytes(folder + "/inside", "kept");
  }

  TempFolder root_;
  PosixFileSystem fs_{GetParam()};
};

INSTANTIATE_TEST_SUITE_P(EveryLevel, MoveNoReplaceTest, ::testing::ValuesIn(test::kAllMoveStrategies),
                         test::MoveStrategyName);

TEST_P(MoveNoReplaceTest, MovesAFileToAFreeName) {
  WriteBytes(root_ / "from", "photo bytes");
  ASSERT_EQ(mkdir((root_ / "dest").c_str(), 0755), 0);
  EXPECT_EQ(fs_.MoveNoReplace(root_ / "from", root_ / "dest/to"), kMoveOk);
  EXPECT_FALSE(Exists(root_ / "from"));
  EXPECT_EQ(ReadBytes(root_ / "dest/to"), "photo bytes");
  EXPECT_EQ(Names(root_ / "dest"), std::vector<std::string>{"to"});
}

TEST_P(MoveNoReplaceTest, MovesAFolderWithItsContent) {
  MakeFolderWithFile(root_ / "from");
  EXPECT_EQ(fs_.MoveNoReplace(root_ / "from", root_ / "to"), kMoveOk);
  EXPECT_FALSE(Exists(root_ / "from"));
  EXPECT_EQ(ReadBytes(root_ / "to/inside"), "kept");
}

TEST_P(MoveNoReplaceTest, MovesALinkItselfNotItsTarget) {
  WriteBytes(root_ / "target", "x");
  ASSERT_EQ(symlink("target", (root_ / "from").c_str()), 0);
  EXPECT_EQ(fs_.MoveNoReplace(root_ / "from", root_ / "to"), kMoveOk);
  EXPECT_TRUE(S_ISLNK(test::LinkStatus(root_ / "to").st_mode));
  EXPECT_EQ(ReadBytes(root_ / "target"), "x");
  EXPECT_EQ(Names(root_.path()), (std::vector<std::string>{"target", "to"}));
}

TEST_P(MoveNoReplaceTest, NeverReplacesAnExistingTarget) {
  using Make = std::function<void(const std::string&)>;
  const Make file = [](const std::string& path) { WriteBytes(path, "original of " + path); };
  const Make emptyFolder = [](const std::string& path) { ASSERT_EQ(mkdir(path.c_str(), 0755), 0); };
  const Make fullFolder = [this](const std::string& path) { MakeFolderWithFile(path); };
  const Make danglingLink = [](const std::string& path) { ASSERT_EQ(symlink("nowhere", path.c_str()), 0); };
  struct Case {
    const char* name;
    Make source;
    Make target;
  };
  const Case cases[] = {
      {"file over file", file, file},
      {"file over empty folder", file, emptyFolder},
      {"file over dangling link", file, danglingLink},
      {"folder over empty folder", fullFolder, emptyFolder},
      {"folder over folder", fullFolder, fullFolder},
      {"folder over file", fullFolder, file},
      {"link over file", danglingLink, file},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TempFolder folder(root_.path());
    const std::string from = folder / "from";
    const std::string to = folder / "to";
    c.source(from);
    c.target(to);
    const struct stat sourceBefore = test::LinkStatus(from);
    const struct stat targetBefore = test::LinkStatus(to);
    const auto contentOf = [](const std::string& path) {
      const struct stat status = test::LinkStatus(path);
      if (S_ISREG(status.st_mode)) return std::vector<std::string>{ReadBytes(path)};
      return S_ISDIR(status.st_mode) ? Names(path) : std::vector<std::string>{};
    };
    const std::vector<std::string> sourceContent = contentOf(from);
    const std::vector<std::string> targetContent = contentOf(to);

    EXPECT_EQ(fs_.MoveNoReplace(from, to), kMoveTargetExists);

    EXPECT_EQ(test::LinkStatus(from).st_ino, sourceBefore.st_ino);
    EXPECT_EQ(test::LinkStatus(to).st_ino, targetBefore.st_ino);
    EXPECT_EQ(contentOf(from), sourceContent);
    EXPECT_EQ(contentOf(to), targetContent);
    EXPECT_EQ(Names(folder.path()), (std::vector<std::string>{"from", "to"}));
  }
}

TEST_P(MoveNoReplaceTest, RefusesToMoveAFolderIntoItself) {
  MakeFolderWithFile(root_ / "from");
  ASSERT_EQ(mkdir((root_ / "from/sub").c_str(), 0755), 0);
  for (const std::string& to : {root_ / "from/to", root_ / "from/sub/to", root_ / "from/../from/sub/to"}) {
    SCOPED_TRACE(to);
    EXPECT_EQ(fs_.MoveNoReplace(root_ / "from", to), kMoveInvalidName);
    EXPECT_EQ(Names(root_ / "from"), (std::vector<std::string>{"inside", "sub"}));
    EXPECT_TRUE(Names(root_ / "from/sub").empty());
  }
}

TEST_P(MoveNoReplaceTest, PassesOtherErrorsOnAsTheirErrno) {
  WriteBytes(root_ / "from", "x");
  struct Case {
    const char* name;
    std::string from;
    std::string to;
    int expected;
  };
  const Case cases[] = {
      {"missing source", root_ / "missing", root_ / "to", ENOENT},
      {"missing destination folder", root_ / "from", root_ / "nowhere/to", ENOENT},
      {"name too long", root_ / "from", root_ / std::string(300, 'n'), ENAMETOOLONG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(fs_.MoveNoReplace(c.from, c.to), c.expected);
    EXPECT_EQ(Names(root_.path()), std::vector<std::string>{"from"});
  }
}

TEST_P(MoveNoReplaceTest, ReportsADeniedMoveAsAccessDenied) {
  if (geteuid() == 0) GTEST_SKIP() << "root may write any folder, so a denied move cannot be made";
  WriteBytes(root_ / "from", "x");
  ASSERT_EQ(mkdir((root_ / "closed").c_str(), 0555), 0);
  EXPECT_EQ(fs_.MoveNoReplace(root_ / "from", root_ / "closed/to"), kMoveAccessDenied);
  EXPECT_EQ(ReadBytes(root_ / "from"), "x");
  EXPECT_TRUE(Names(root_ / "closed").empty());
}

TEST_P(MoveNoReplaceTest, PassesNamesOnAsBytes) {
  const std::string name = "\xff\xfe not utf-8 \xc3\xa9";
  WriteBytes(root_ / "from", "x");
  EXPECT_EQ(fs_.MoveNoReplace(root_ / "from", root_ / name), kMoveOk);
  EXPECT_EQ(Names(root_.path()), std::vector<std::string>{name});
}

}  // namespace
}  // namespace kelvora
