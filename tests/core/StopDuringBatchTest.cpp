#include "DialogFixture.h"
#include "rules/AutoCode.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

/// A batch whose files take 60 ms each on the fake clock, so the window gets a turn before every file but
/// the first. The user acts in those turns.
class StopDuringBatchTest : public DialogFixture {
 protected:
  void StartWithFiles(SettingsRecord record, Road road, int files = 5) {
    Start(record);
    for (int i = 0; i < files; ++i) fs.AddFile(kSource, std::string(1, static_cast<char>('a' + i)) + ".jpg");
    fs.msPerMove = 60;
    m_road = road;
    if (road == Road::kListed) dlg->Click(IDC_SORT);
    if (road == Road::kDropped) dlg->Click(IDC_DRAGDROP);
  }

  void Run() {
    fs.log.clear();
    fs.written.clear();
    RunOn(m_road, kSource);
    EXPECT_EQ(fs.moveProgress, nullptr) << "moves still report to a batch that is over";
  }

  /// The user presses the exit button in the first turn once `files` files are moved.
  void StopAfter(int files) {
    host.duringTurn = [this, files] {
      if (dlg->FileCount() == files) dlg->Click(IDCANCEL);
    };
  }

  Road m_road = Road::kWalked;
};

struct StopRow {
  const char* name;
  Road road;
  bool autoCode;
  const char* serialShown;  // after the stop
  const char* code;         // saved by the batch and by the exit
};

class StopBetweenFiles : public StopDuringBatchTest, public ::testing::WithParamInterface<StopRow> {};

TEST_P(StopBetweenFiles, EndsAsAStopOnAnExistingNameThenExitsWritingNothingDifferent) {
  const StopRow& row = GetParam();
  SettingsRecord record = TypedTextSettings();
  record.autoCodeOn = row.autoCode ? 1 : 0;
  StartWithFiles(record, row.road);
  StopAfter(2);
  Run();

  EXPECT_EQ(host.TakeBoxes(), Boxes{}) << "a stop shows no completion message";
  EXPECT_EQ(Moves().size(), 2u) << "the third file was never touched";
  EXPECT_EQ(fs.Names(kSource), (std::vector<std::string>{"c.jpg", "d.jpg", "e.jpg"}));
  EXPECT_EQ(Text(IDC_COUNT), "2");
  EXPECT_EQ(Text(IDC_SERIAL), row.serialShown);
  EXPECT_EQ(dlg->CodeText(), row.code);
  // The batch saved its end, then the exit saved the same.
  ASSERT_EQ(fs.written.size(), 2u);
  EXPECT_EQ(fs.written[1], fs.written[0]);
  EXPECT_EQ(ComposeCodeText(Saved().codeChars), row.code);
  EXPECT_EQ(Saved().serialText, row.autoCode ? "1" : "3");
  EXPECT_EQ(host.endStatus, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Roads, StopBetweenFiles,
    ::testing::Values(StopRow{"ListedTypedText", Road::kListed, false, "3", "A000000"},
                      StopRow{"WalkedTypedText", Road::kWalked, false, "3", "A000000"},
                      StopRow{"WalkedAutoCode", Road::kWalked, true, "1", "A00000A"},
                      StopRow{"DroppedTypedText", Road::kDropped, false, "3", "A000000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StopDuringBatchTest, StopBeforeAnyFileWasMovedSaysThereAreNoFilesAndExits) {
  StartWithFiles(TypedTextSettings(), Road::kWalked);
  // The first file is denied; the user stops in the pause that follows.
  fs.failMove = [](const std::string&, const std::string&, int) -> std::optional<int> { return kMoveAccessDenied; };
  StopAfter(0);
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kNoFiles, kIconNone}}));
  EXPECT_EQ(Moves().size(), 1u);
  EXPECT_EQ(fs.written.size(), 1u) << "only the exit saves";
  EXPECT_EQ(host.endStatus, 0);
}

TEST_F(StopDuringBatchTest, AWalkOverManyFoldersGivesTurnsAndStopsThere) {
  Start(TypedTextSettings());
  for (int i = 0; i < 100; ++i) fs.AddFile(kSource, "folder" + std::to_string(i), kAttrDirectory);
  fs.AddFile(kSource, "z.jpg");
  fs.msPerEntry = 10;
  int turns = 0;
  host.duringTurn = [&] {
    if (++turns == 2) dlg->Click(IDCANCEL);
  };
  Run();
  EXPECT_EQ(turns, 2);
  EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kNoFiles, kIconNone}}));
  EXPECT_EQ(Moves().size(), 0u);
  EXPECT_EQ(host.endStatus, 0);
}

TEST_F(StopDuringBatchTest, StopDuringAPauseEndsWithoutTryingTheDeniedFileAgain) {
  StartWithFiles(TypedTextSettings(), Road::kWalked);
  fs.failMove = [](const std::string& from, const std::string&, int) -> std::optional<int> {
    if (from == "/src/b.jpg") return kMoveAccessDenied;
    return std::nullopt;
  };
  host.duringTurn = [this] {
    if (fs.sleptMs >= 300) dlg->Click(IDCANCEL);
  };
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{});
  EXPECT_LT(fs.sleptMs, 1000);
  EXPECT_EQ(fs.Count("move /src/b.jpg"), 1);
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
  // The number the denied file took is free again.
  EXPECT_EQ(Saved().serialText, "2");
  EXPECT_EQ(host.endStatus, 0);
}

TEST_F(StopDuringBatchTest, StopInTheMiddleOfACopyLeavesTheFileWhereItWas) {
  StartWithFiles(TypedTextSettings(), Road::kWalked);
  // c.jpg goes to another file system: a copy of ten blocks of 30 ms each.
  fs.failMove = [this](const std::string& from, const std::string&, int) -> std::optional<int> {
    if (from != "/src/c.jpg") return std::nullopt;
    for (std::uint64_t block = 1; block <= 10; ++block) {
      fs.monotonicMs += 30;
      if (!fs.moveProgress->Continue(block * 131072)) return kMoveAbandoned;
    }
    return std::nullopt;
  };
  host.duringTurn = [this] {
    if (fs.Count("move /src/c.jpg") == 1) dlg->Click(IDCANCEL);
  };
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{});
  EXPECT_EQ(fs.Names(kSource), (std::vector<std::string>{"c.jpg", "d.jpg", "e.jpg"}));
  EXPECT_EQ(Text(IDC_COUNT), "2");
  EXPECT_EQ(Saved().serialText, "3");
  EXPECT_EQ(host.endStatus, 0);
}

TEST_F(StopDuringBatchTest, TurnsComeByTimeAndShowTheProgress) {
  StartWithFiles(TypedTextSettings(), Road::kWalked, 100);
  fs.msPerMove = 10;
  std::vector<std::pair<std::string, std::string>> shown;
  host.duringTurn = [&] { shown.emplace_back(Text(IDC_COUNT), Text(IDC_SERIAL)); };
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(100)});
  // 100 files of 10 ms: about one turn per 50 ms, each showing the files moved so far and the next number.
  ASSERT_GE(shown.size(), 18u);
  EXPECT_LE(shown.size(), 20u);
  for (const auto& [count, serial] : shown) EXPECT_EQ(std::stoi(serial), std::stoi(count) + 1);
  EXPECT_EQ(shown.front().first, "5");

  // Files that take no time give no turn at all.
  fs.msPerMove = 0;
  host.turns = 0;
  for (int i = 0; i < 100; ++i) fs.AddFile(kSource, "n" + std::to_string(i) + ".jpg");
  Run();
  host.TakeBoxes();
  EXPECT_EQ(host.turns, 0);
}

TEST_F(StopDuringBatchTest, EveryOtherInputIsRefusedDuringATurn) {
  StartWithFiles(TypedTextSettings(), Road::kWalked);
  const std::string prefix = Text(IDC_PREFIX);
  host.duringTurn = [&] {
    dlg->Click(IDOK);
    dlg->Click(IDC_MOVE_ONLY);
    dlg->Click(IDC_AUTO);
    dlg->Click(IDC_DRAGDROP);
    dlg->TypeText(IDC_PREFIX, "typed-");
    dlg->OnSysCommand(IDM_ABOUTBOX);
    FakeDrop drop({"/src/e.jpg"});
    dlg->OnDropFiles(drop);
    EXPECT_EQ(drop.finished, 1);
  };
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(5)}) << "one batch, run to its end";
  EXPECT_GT(host.turns, 0);
  EXPECT_EQ(Moves().size(), 5u);
  EXPECT_EQ(Checked(IDC_AUTO), 0);
  EXPECT_EQ(Checked(IDC_DRAGDROP), 0);
  EXPECT_EQ(Text(IDC_PREFIX), prefix);
  EXPECT_EQ(host.aboutBoxes, 0);
  EXPECT_FALSE(host.endStatus.has_value());
}

}  // namespace
}  // namespace kelvora::testing
