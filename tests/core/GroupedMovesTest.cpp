// The folder batch on a file layer that groups its moves, as moves to another file system are grouped: what the
// batch counts and reports is done by the time it counts and reports it.
#include <utility>

#include "DialogFixture.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

class GroupedMovesTest : public DialogFixture {
 protected:
  void StartWithFiles(int files) {
    fs.deferGroupedMoves = true;
    Start(TypedTextSettings());
    for (int i = 0; i < files; ++i) fs.AddFile(kSource, "f" + std::to_string(100 + i) + ".jpg");
  }

  std::vector<std::string> Completions() const {
    std::vector<std::string> lines;
    for (const std::string& line : fs.log)
      if (line.rfind("complete ", 0) == 0) lines.push_back(line);
    return lines;
  }
};

TEST_F(GroupedMovesTest, AGroupIsCompletedEveryFewFilesOrTenthsOfASecondAndAtTheEnd) {
  struct Case {
    const char* name;
    int files;
    std::int64_t msPerMove;
    std::vector<std::string> completions;
  };
  const Case cases[] = {
      {"by count", 70, 0, {"complete 32", "complete 32", "complete 6"}},
      {"by time", 7, 100, {"complete 3", "complete 3", "complete 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StartWithFiles(c.files);
    fs.msPerMove = c.msPerMove;
    fs.log.clear();
    dlg->Click(IDOK);
    EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(c.files)}));
    EXPECT_EQ(Completions(), c.completions);
    EXPECT_EQ(fs.Names(kSource), std::vector<std::string>{});
    std::erase_if(fs.folders[kDest], [](const FakeFileSystem::Entry& entry) { return entry.name != "." && entry.name != ".."; });
  }
}

TEST_F(GroupedMovesTest, ASourceChangedBeforeTheGroupWasCompletedIsTriedAgainAfterAPause) {
  StartWithFiles(4);
  fs.failCompletion = [failed = false](const std::string& from, const std::string&) mutable -> std::optional<int> {
    if (from != kSource + "/f101.jpg" || std::exchange(failed, true)) return std::nullopt;
    return kMoveSourceChanged;
  };
  dlg->Click(IDOK);
  // Like a file still being written: a pause, then the batch walks again and moves it.
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(4)}));
  EXPECT_EQ(fs.Count("sleep "), 1);
  EXPECT_EQ(fs.Names(kDest),
            (std::vector<std::string>{"IMG-0001.jpg", "IMG-0003.jpg", "IMG-0004.jpg", "IMG-0005.jpg"}));
  EXPECT_EQ(fs.Content(kDest + "/IMG-0005.jpg"), "f101.jpg");
}

TEST_F(GroupedMovesTest, ANameTakenBeforeTheGroupWasCompletedStopsTheBatchThereUncounted) {
  StartWithFiles(4);
  fs.failCompletion = [](const std::string& from, const std::string&) -> std::optional<int> {
    if (from == kSource + "/f101.jpg") return kMoveTargetExists;
    return std::nullopt;
  };
  dlg->Click(IDOK);
  EXPECT_EQ(host.TakeBoxes(),
            (Boxes{{std::string(text::kTargetExists) + "\n\nOldName = /src/f101.jpg\n\nNewName = /dst/IMG-0002.jpg\n\n" +
                        text::kRunInterrupted,
                    kIconHand}}));
  EXPECT_EQ(fs.Names(kSource), std::vector<std::string>{"f101.jpg"});
  EXPECT_EQ(fs.Names(kDest), (std::vector<std::string>{"IMG-0001.jpg", "IMG-0003.jpg", "IMG-0004.jpg"}));
  EXPECT_EQ(dlg->GetDlgItemText(IDC_COUNT), "3");
  // The later files took their numbers already; the next run goes on after them.
  EXPECT_EQ(ParseSettingsLine(fs.written.back())->serialText, "5");
}

TEST_F(GroupedMovesTest, AFailedFileFindsTheFilesBeforeItDoneAndCounted) {
  StartWithFiles(3);
  fs.failMove = [](const std::string& from, const std::string&, int) -> std::optional<int> {
    if (from == kSource + "/f102.jpg") return kMoveNoSpace;
    return std::nullopt;
  };
  std::vector<std::size_t> movedAtEachBox;
  host.duringBox = [&] { movedAtEachBox.push_back(fs.Names(kDest).size()); };
  dlg->Click(IDOK);
  EXPECT_EQ(host.TakeBoxes().size(), 2u);
  EXPECT_EQ(movedAtEachBox, (std::vector<std::size_t>{2, 2}));
  EXPECT_EQ(dlg->GetDlgItemText(IDC_COUNT), "2");
}

}  // namespace
}  // namespace kelvora::testing
