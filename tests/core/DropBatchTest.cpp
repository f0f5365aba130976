#include <algorithm>
#include <cstdio>
#include <utility>

#include "DialogFixture.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

class DropBatchTest : public DialogFixture {
 protected:
  void StartArmed(const SettingsRecord& record) {
    Start(record);
    dlg->Click(IDC_DRAGDROP);
  }

  /// Drops `paths`, creating in the fake the files they name.
  void Drop(const std::vector<std::string>& paths) {
    for (const std::string& path : paths) {
      const std::size_t slash = path.rfind('/');
      const std::string name = path.substr(slash + 1);
      if (name != "" && name != "." && name != ".." && !fs.Find(path)) fs.AddFile(path.substr(0, slash), name);
    }
    fs.log.clear();
    FakeDrop drop(paths);
    dlg->OnDropFiles(drop);
    EXPECT_EQ(drop.finished, 1);
  }

};

TEST_F(DropBatchTest, ShellFilesAndEmptyNamesAreSkippedDroppedFoldersAreMoved) {
  StartArmed(TypedTextSettings());
  fs.AddFile("/in", "album", kAttrDirectory);
  Drop({"/in/a.txt", "/in/Thumbs.db", "/in/b.txt", "/in/desktop.ini", "/in/", "/in/.", "/in/album"});
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(3)});
  EXPECT_EQ(Text(IDC_COUNT), "3");
  EXPECT_EQ(fs.Names("/in"), (std::vector<std::string>{"Thumbs.db", "desktop.ini"}));
  // album sorts between a.txt and b.txt and, having no extension, gets the bare number.
  EXPECT_EQ(fs.Content("/dst/IMG-0002"), "album");
}

TEST_F(DropBatchTest, OnlyShellFilesSayThereAreNoFilesAndSaveNothing) {
  StartArmed(TypedTextSettings());
  dlg->SetDlgItemText(IDC_COUNT, "7");
  dlg->SetDlgItemText(IDC_SWAPS, "7");
  for (const std::vector<std::string>& paths : {std::vector<std::string>{"/in/Thumbs.db"}, std::vector<std::string>{}}) {
    SCOPED_TRACE(paths.size());
    Drop(paths);
    EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kNoFiles, kIconNone}}));
    EXPECT_EQ(Text(IDC_COUNT), "0");
    EXPECT_EQ(Text(IDC_SWAPS), "0");
    EXPECT_EQ(Writes(), 0);
  }
}

TEST_F(DropBatchTest, StopAtTheFirstItemAfterASortShowsZeroCounts) {
  StartArmed(TypedTextSettings());
  fs.AddFile(kDest, "IMG-0001.jpg");
  Drop({"/in/b.jpg", "/in/a.jpg"});
  EXPECT_EQ(host.TakeBoxes(),
            (Boxes{{std::string(text::kTargetExists) + "\n\nOldName = /in/a.jpg\n\nNewName = /dst/IMG-0001.jpg\n\n" +
                        text::kRunInterrupted,
                    kIconHand},
                   {text::kNoFiles, kIconNone}}));
  EXPECT_EQ(Text(IDC_SWAPS), "0");
  EXPECT_EQ(Text(IDC_COUNT), "0");
  EXPECT_EQ(Writes(), 0);
}

TEST_F(DropBatchTest, OnlyTheFirstThousandItemsAreLookedAt) {
  StartArmed(TypedTextSettings());
  std::vector<std::string> paths;
  for (int i = 1; i <= 1200; ++i) {
    char path[32];
    std::snprintf(path, sizeof path, "/in/f%04d.dat", i);
    paths.push_back(path);
  }
  Drop(paths);
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(1000)});
  const std::vector<std::string> left = fs.Names("/in");
  ASSERT_EQ(left.size(), 200u);
  EXPECT_EQ(left.front(), "f1001.dat");
  EXPECT_EQ(left.back(), "f1200.dat");
}

TEST_F(DropBatchTest, EqualNamesFromTwoFoldersStopAfterTheFirst) {
  SettingsRecord record = TypedTextSettings();
  record.autoCodeOn = 1;
  record.serialOn = 0;
  record.appendOn = 1;
  StartArmed(record);
  Drop({"/in/a.jpg", "/other/a.jpg"});
  EXPECT_EQ(host.TakeBoxes(),
            (Boxes{{std::string(text::kTargetExists) + "\n\nOldName = /other/a.jpg\n\nNewName = /dst/A000000_a.jpg\n\n" +
                        text::kRunInterrupted,
                    kIconHand}}));
  EXPECT_EQ(fs.Content("/dst/A000000_a.jpg"), "a.jpg");
  EXPECT_EQ(fs.Names("/in"), std::vector<std::string>{});
  EXPECT_EQ(fs.Names("/other"), std::vector<std::string>{"a.jpg"});
  EXPECT_EQ(Text(IDC_COUNT), "1");
  EXPECT_EQ(Writes(), 1);
}

TEST_F(DropBatchTest, SerialLimitEndsTheDropNormally) {
  StartArmed(TypedTextSettings());
  dlg->TypeText(IDC_SERIAL, "9999");
  Drop({"/in/a.jpg", "/in/b.jpg", "/in/c.jpg"});
  EXPECT_EQ(host.TakeBoxes(), (Boxes{kOverflowBox, DoneBox(1)}));
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-9999.jpg"});
  EXPECT_EQ(Text(IDC_SERIAL), "1");
  EXPECT_EQ(dlg->NextSerial(), 1);
  EXPECT_EQ(Writes(), 1);
}

struct CheckRow {
  const char* name;
  const char* sourceText;
  const char* destText;
  int destOpenError;
  Box box;
};

class DropChecks : public DropBatchTest, public ::testing::WithParamInterface<CheckRow> {};

TEST_P(DropChecks, RefuseTheDropWhereverItsFilesComeFrom) {
  const CheckRow& row = GetParam();
  Start(TypedTextSettings());
  dlg->TypeText(IDC_SRC_FOLDER, row.sourceText);
  dlg->TypeText(IDC_DST_FOLDER, row.destText);
  dlg->Click(IDC_DRAGDROP);
  if (row.destOpenError) fs.openWalkError[kDest] = row.destOpenError;
  Drop({"/in/a.jpg"});
  EXPECT_EQ(host.TakeBoxes(), Boxes{row.box});
  EXPECT_EQ(Moves(), std::vector<std::string>{});
  EXPECT_EQ(fs.Names("/in"), std::vector<std::string>{"a.jpg"});
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(fs.Count("clean "), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, DropChecks,
    ::testing::Values(CheckRow{"SameText", "/dst", "/dst", 0, {text::kSameFolder, kIconExclamation}},
                      CheckRow{"SameFolderOtherSpelling", "/dst/", "/dst", 0, {text::kSameFolder, kIconExclamation}},
                      CheckRow{"DestinationMissing", "/src", "/gone", 0, {text::kDestMissing, kIconExclamation}},
                      CheckRow{"DestinationSearchFails", "/src", "/dst", 5, {text::kDestSearchFailed, kIconHand}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DropBatchTest, CleansTheDestinationOnceBeforeTheFirstMove) {
  StartArmed(TypedTextSettings());
  Drop({"/in/a.jpg", "/in/b.jpg"});
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(2)});
  EXPECT_EQ(fs.Count("clean "), 1);
  const auto clean = std::find(fs.log.begin(), fs.log.end(), "clean /dst");
  const auto firstMove = std::find_if(fs.log.begin(), fs.log.end(), [](const std::string& line) {
    return line.rfind("move ", 0) == 0;
  });
  EXPECT_LT(clean, firstMove);
}

// Dropped with the photos, the settings file in use stays, under its own name and under a hard link.
TEST_F(DropBatchTest, TheSettingsFileInUseStaysWhereItIs) {
  StartArmed(TypedTextSettings());
  fs.AddFile(kSource, "Kelvora.ini");
  fs.AddFile("/in", "settings-link");
  fs.folders.at("/in").back().inode = fs.folders.at(kSource).back().inode;
  fs.aliases[kSettingsPath] = kSource + "/Kelvora.ini";
  Drop({"/src/Kelvora.ini", "/in/a.jpg", "/in/settings-link"});
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(1)});
  EXPECT_EQ(fs.Names(kSource), std::vector<std::string>{"Kelvora.ini"});
  EXPECT_EQ(fs.Names("/in"), std::vector<std::string>{"settings-link"});
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
}

TEST_F(DropBatchTest, SourceFolderIsNotLookedAt) {
  Start(TypedTextSettings());
  dlg->TypeText(IDC_SRC_FOLDER, "/none");
  dlg->Click(IDC_DRAGDROP);
  Drop({"/in/a.jpg"});
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(1)});
  EXPECT_EQ(fs.Count("open /none"), 0);
}

TEST_F(DropBatchTest, DropsAreAlwaysSorted) {
  StartArmed(TypedTextSettings());
  ASSERT_EQ(Checked(IDC_SORT), 0);
  Drop({"/in/10.jpg", "/in/9.jpg", "/in/1.jpg"});
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(3)});
  EXPECT_EQ(Moves(), (std::vector<std::string>{Move("/in/1.jpg", "/dst/IMG-0001.jpg"),
                                               Move("/in/9.jpg", "/dst/IMG-0002.jpg"),
                                               Move("/in/10.jpg", "/dst/IMG-0003.jpg")}));
  EXPECT_EQ(Text(IDC_SWAPS), "3");
}

struct SerialRow {
  const char* name;
  int namingMode;
  int autoCodeOn;
  const char* base;
};

class DropSerial : public DropBatchTest, public ::testing::WithParamInterface<SerialRow> {};

TEST_P(DropSerial, NumberingGoesOnFromDropToDropInEveryMode) {
  const SerialRow& row = GetParam();
  SettingsRecord record = TypedTextSettings();
  record.namingMode = row.namingMode;
  record.autoCodeOn = row.autoCodeOn;
  StartArmed(record);
  Drop({"/in/a.jpg", "/in/b.jpg"});
  EXPECT_EQ(Text(IDC_SERIAL), "3");
  Drop({"/in/c.jpg"});
  EXPECT_EQ(Text(IDC_SERIAL), "4");
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(2), DoneBox(1)}));
  EXPECT_EQ(fs.Content(kDest + "/" + row.base + "0003.jpg"), "c.jpg");
}

INSTANTIATE_TEST_SUITE_P(Modes, DropSerial,
                         ::testing::Values(SerialRow{"TypedText", 1, 0, "IMG-"},
                                           SerialRow{"AutoCode", 1, 1, "A000000_"},
                                           SerialRow{"Stamp", 0, 0, "20240131-235959_"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DropBatchTest, EveryDropUsesTheStampFixedWhenDroppingWasSwitchedOn) {
  SettingsRecord record = TypedTextSettings();
  record.namingMode = 0;
  StartArmed(record);
  fs.now += 60;
  Drop({"/in/a.jpg"});
  fs.now += 60;
  Drop({"/in/b.jpg"});
  dlg->Click(IDC_DRAGDROP);
  dlg->Click(IDC_DRAGDROP);
  Drop({"/in/c.jpg"});
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(1), DoneBox(1), DoneBox(1)}));
  EXPECT_EQ(fs.Names(kDest), (std::vector<std::string>{"20240131-235959_0001.jpg", "20240131-235959_0002.jpg",
                                                        "20240201-000159_0003.jpg"}));
}

// ---------------------------------------------------------------------------------------------------------
// The drop object is released once, after the last box, on every way out.

struct ReleaseRow {
  const char* name;
  void (*arrange)(FakeFileSystem&, CTarnwickDlg&);
  std::vector<std::string> paths;
  std::size_t boxes;
};

void Arm(FakeFileSystem&, CTarnwickDlg& dlg) { dlg.Click(IDC_DRAGDROP); }

class DropRelease : public DropBatchTest, public ::testing::WithParamInterface<ReleaseRow> {};

TEST_P(DropRelease, ReleasedOnceAfterEverythingElse) {
  const ReleaseRow& row = GetParam();
  Start(TypedTextSettings());
  fs.AddFile("/in", "a.jpg");
  fs.AddFile("/in", "b.jpg");
  row.arrange(fs, *dlg);
  FakeDrop drop(row.paths);
  std::size_t boxesAtRelease = 0;
  drop.onFinish = [&] { boxesAtRelease = host.boxes.size(); };
  dlg->OnDropFiles(drop);
  EXPECT_EQ(drop.finished, 1);
  EXPECT_EQ(host.TakeBoxes().size(), row.boxes);
  EXPECT_EQ(boxesAtRelease, row.boxes);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, DropRelease,
    ::testing::Values(
        ReleaseRow{"Disarmed", [](FakeFileSystem&, CTarnwickDlg&) {}, {"/in/a.jpg"}, 0},
        ReleaseRow{"SameFolder",
                   [](FakeFileSystem& fs, CTarnwickDlg& dlg) {
                     dlg.TypeText(IDC_SRC_FOLDER, "/dst");
                     Arm(fs, dlg);
                   },
                   {"/in/a.jpg"},
                   1},
        ReleaseRow{"DestinationMissing",
                   [](FakeFileSystem& fs, CTarnwickDlg& dlg) {
                     dlg.TypeText(IDC_DST_FOLDER, "/gone");
                     Arm(fs, dlg);
                   },
                   {"/in/a.jpg"},
                   1},
        ReleaseRow{"NothingDropped", Arm, {}, 1},
        ReleaseRow{"OnlyShellFiles", Arm, {"/in/Thumbs.db"}, 1},
        ReleaseRow{"Completed", Arm, {"/in/a.jpg", "/in/b.jpg"}, 1},
        ReleaseRow{"CompletedQuietly",
                   [](FakeFileSystem& fs, CTarnwickDlg& dlg) {
                     dlg.Click(IDC_NO_CONFIRM);
                     Arm(fs, dlg);
                   },
                   {"/in/a.jpg"},
                   0},
        ReleaseRow{"StoppedOnAnExistingName",
                   [](FakeFileSystem& fs, CTarnwickDlg& dlg) {
                     fs.AddFile(kDest, "IMG-0002.jpg");
                     Arm(fs, dlg);
                   },
                   {"/in/a.jpg", "/in/b.jpg"},
                   1},
        ReleaseRow{"SerialLimit",
                   [](FakeFileSystem& fs, CTarnwickDlg& dlg) {
                     dlg.TypeText(IDC_SERIAL, "9999");
                     Arm(fs, dlg);
                   },
                   {"/in/a.jpg", "/in/b.jpg"},
                   2},
        ReleaseRow{"InvalidName",
                   [](FakeFileSystem& fs, CTarnwickDlg& dlg) {
                     fs.failMove = [](const std::string&, const std::string&, int) { return kMoveInvalidName; };
                     Arm(fs, dlg);
                   },
                   {"/in/a.jpg"},
                   1},
        ReleaseRow{"OtherFailure",
                   [](FakeFileSystem& fs, CTarnwickDlg& dlg) {
                     fs.failMove = [](const std::string&, const std::string&, int) { return 5; };
                     Arm(fs, dlg);
                   },
                   {"/in/a.jpg"},
                   2}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------------------
// Drops that are refused.

TEST_F(DropBatchTest, DropDuringABoxOfARunningDropIsRefusedAndTheRunGoesOn) {
  StartArmed(TypedTextSettings());
  fs.AddFile("/late", "x.jpg");
  dlg->TypeText(IDC_SERIAL, "9999");
  int lateReleased = 0;
  bool tried = false;
  host.duringBox = [&] {
    if (std::exchange(tried, true)) return;
    FakeDrop late({"/late/x.jpg"});
    dlg->OnDropFiles(late);
    lateReleased = late.finished;
    dlg->Click(IDC_DRAGDROP);  // nor can dropping be switched off meanwhile
  };
  Drop({"/in/a.jpg", "/in/b.jpg"});
  EXPECT_EQ(lateReleased, 1);
  EXPECT_EQ(host.TakeBoxes(), (Boxes{kOverflowBox, DoneBox(1)}));
  EXPECT_EQ(fs.Names("/late"), std::vector<std::string>{"x.jpg"});
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-9999.jpg"});
  EXPECT_EQ(Text(IDC_COUNT), "1");
  EXPECT_EQ(Checked(IDC_DRAGDROP), 1);
  EXPECT_TRUE(host.acceptsDrops);
}

TEST_F(DropBatchTest, DropWhileDroppingIsOffIsRefused) {
  Start(TypedTextSettings());
  Drop({"/in/a.jpg"});
  dlg->Click(IDC_DRAGDROP);
  dlg->Click(IDC_DRAGDROP);
  Drop({"/in/b.jpg"});
  EXPECT_EQ(fs.Names("/in"), (std::vector<std::string>{"a.jpg", "b.jpg"}));
  EXPECT_EQ(fs.log, std::vector<std::string>{});
  EXPECT_EQ(Text(IDC_COUNT), "0");
}

}  // namespace
}  // namespace kelvora::testing
