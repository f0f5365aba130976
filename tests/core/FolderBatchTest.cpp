#include <algorithm>
#include <cstdio>

#include "DialogFixture.h"
#include "rules/AutoCode.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

enum class Naming { kTypedText, kAutoCode, kStamp };

class FolderBatchTest : public DialogFixture {
 protected:
  /// Names that read easily: a base, a serial number from 1 and the old extension.
  static SettingsRecord Record(Naming naming) {
    SettingsRecord record = TypedTextSettings();
    record.autoCodeOn = naming == Naming::kAutoCode ? 1 : 0;
    record.namingMode = naming == Naming::kStamp ? 0 : 1;
    return record;
  }

  void AddFiles(std::initializer_list<const char*> names) {
    for (const char* name : names) fs.AddFile(kSource, name);
  }

  void Run(int button = IDOK) {
    fs.log.clear();
    dlg->Click(button);
    EXPECT_EQ(fs.openWalks, 0) << "a walk was left open";
  }

  std::string SavedCode() const { return ComposeCodeText(Saved().codeChars); }
};

// ---------------------------------------------------------------------------------------------------------
// The checks before the walk.

struct CheckRow {
  const char* name;
  const char* sourceText;
  const char* destText;
  int sourceOpenError;
  int destOpenError;
  Box box;
};

class FolderChecks : public FolderBatchTest, public ::testing::WithParamInterface<CheckRow> {};

TEST_P(FolderChecks, RefuseTheRunBeforeAnythingIsStampedMovedOrSaved) {
  const CheckRow& row = GetParam();
  Start(Record(Naming::kStamp));
  AddFiles({"a.jpg"});
  if (row.sourceOpenError) fs.openWalkError[kSource] = row.sourceOpenError;
  if (row.destOpenError) fs.openWalkError[kDest] = row.destOpenError;
  dlg->TypeText(IDC_SRC_FOLDER, row.sourceText);
  dlg->TypeText(IDC_DST_FOLDER, row.destText);
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{row.box});
  EXPECT_EQ(Moves(), std::vector<std::string>{});
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(fs.Count("clean "), 0);
  EXPECT_EQ(dlg->StampText(), "");
  EXPECT_EQ(Text(IDC_COUNT), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Checks, FolderChecks,
    ::testing::Values(
        CheckRow{"SameText", "/src", "/src", 0, 0, {text::kSameFolder, kIconExclamation}},
        CheckRow{"SameFolderOtherSpelling", "/src", "/src/", 0, 0, {text::kSameFolder, kIconExclamation}},
        CheckRow{"SameFolderBeforeExistence", "/none", "/none", 0, 0, {text::kSameFolder, kIconExclamation}},
        CheckRow{"SourceMissing", "/none", "/dst", 0, 0, {text::kSourceMissing, kIconExclamation}},
        CheckRow{"SourceBeforeDestination", "/none", "/gone", 0, 0, {text::kSourceMissing, kIconExclamation}},
        CheckRow{"SourceSearchFails", "/src", "/dst", 5, 0, {text::kSourceSearchFailed, kIconHand}},
        CheckRow{"DestinationMissing", "/src", "/gone", 0, 0, {text::kDestMissing, kIconExclamation}},
        CheckRow{"DestinationSearchFails", "/src", "/dst", 0, 13, {text::kDestSearchFailed, kIconHand}}),
    [](const auto& info) { return std::string(info.param.name); });

// The stale copies of an interrupted move go from the destination once it is known to exist, before any move.
TEST_F(FolderBatchTest, ChecksOpenAndCloseEachFolderThenCleansTheDestinationBeforeTheWalk) {
  Start(Record(Naming::kTypedText));
  AddFiles({"a.jpg"});
  Run();
  host.TakeBoxes();
  const std::vector<std::string> head(fs.log.begin(), fs.log.begin() + 6);
  EXPECT_EQ(head, (std::vector<std::string>{"open /src", "close /src", "open /dst", "close /dst", "clean /dst",
                                            "open /src"}));
  EXPECT_EQ(fs.Count("clean "), 1);
}

TEST_F(FolderBatchTest, DestinationWithATrailingSeparatorIsAnotherFolderAndTheRunGoesAhead) {
  Start(Record(Naming::kTypedText));
  AddFiles({"a.jpg"});
  dlg->TypeText(IDC_DST_FOLDER, "/dst/");
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(1)}));
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
}

// ---------------------------------------------------------------------------------------------------------
// The stamp.

TEST_F(FolderBatchTest, DateTimeModeStampsEachRunAfresh) {
  Start(Record(Naming::kStamp));
  AddFiles({"a.jpg"});
  Run();
  host.TakeBoxes();
  EXPECT_EQ(dlg->StampText(), "20240131-235959");
  fs.now += 61;
  AddFiles({"b.jpg"});
  Run();
  host.TakeBoxes();
  EXPECT_EQ(fs.Names(kDest), (std::vector<std::string>{"20240131-235959_0001.jpg", "20240201-000100_0001.jpg"}));
}

TEST_F(FolderBatchTest, TextModeTakesNoStamp) {
  Start(Record(Naming::kStamp));
  AddFiles({"a.jpg"});
  Run();
  host.TakeBoxes();
  dlg->Click(IDC_MODE_TEXT);
  fs.now += 3600;
  AddFiles({"b.jpg"});
  Run();
  host.TakeBoxes();
  EXPECT_EQ(dlg->StampText(), "20240131-235959");
  EXPECT_EQ(fs.Names(kDest), (std::vector<std::string>{"20240131-235959_0001.jpg", "IMG-0001.jpg"}));
}

// ---------------------------------------------------------------------------------------------------------
// Order of the renames, and what is left where it is.

struct OrderRow {
  const char* name;
  bool sort;
  std::vector<std::pair<std::string, std::string>> renames;  // old name, new name, in the order made
  const char* swaps;
};

class FolderOrder : public FolderBatchTest, public ::testing::WithParamInterface<OrderRow> {};

TEST_P(FolderOrder, ListedRunsSortShorterFirstThenByBytesWalkedRunsKeepTheWalkOrder) {
  const OrderRow& row = GetParam();
  Start(Record(Naming::kTypedText));
  AddFiles({"10.jpg", "b.txt", "Thumbs.db", "9.jpg", "B.txt", "1.jpg"});
  if (row.sort) dlg->Click(IDC_SORT);
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(5)}));
  std::vector<std::string> expected;
  for (const auto& [from, to] : row.renames) expected.push_back(Move(kSource + "/" + from, kDest + "/" + to));
  EXPECT_EQ(Moves(), expected);
  EXPECT_EQ(Text(IDC_SWAPS), row.swaps);
  EXPECT_EQ(Text(IDC_COUNT), "5");
}

INSTANTIATE_TEST_SUITE_P(Paths, FolderOrder,
                         ::testing::Values(OrderRow{"Listed",
                                                    true,
                                                    {{"1.jpg", "IMG-0001.jpg"},
                                                     {"9.jpg", "IMG-0002.jpg"},
                                                     {"B.txt", "IMG-0003.txt"},
                                                     {"b.txt", "IMG-0004.txt"},
                                                     {"10.jpg", "IMG-0005.jpg"}},
                                                    "9"},
                                           OrderRow{"Walked",
                                                    false,
                                                    {{"10.jpg", "IMG-0001.jpg"},
                                                     {"b.txt", "IMG-0002.txt"},
                                                     {"9.jpg", "IMG-0003.jpg"},
                                                     {"B.txt", "IMG-0004.txt"},
                                                     {"1.jpg", "IMG-0005.jpg"}},
                                                    "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

class FolderPaths : public FolderBatchTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FolderPaths, ShellFilesAndPlainFoldersStayFoldersWithMoreBitsMove) {
  Start(Record(Naming::kTypedText));
  fs.AddFile(kSource, "Thumbs.db");
  fs.AddFile(kSource, "desktop.ini");
  fs.AddFile(kSource, "THUMBS.DB");
  fs.AddFile(kSource, "plain", kAttrDirectory);
  fs.AddFile(kSource, "readonly", kAttrDirectory | kAttrReadOnly);
  fs.AddFile(kSource, "hidden", kAttrDirectory | kAttrHidden);
  fs.AddFile(kSource, "a.jpg");
  if (GetParam()) dlg->Click(IDC_SORT);
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(4)}));
  EXPECT_EQ(fs.Names(kSource), (std::vector<std::string>{"Thumbs.db", "desktop.ini", "plain"}));
  std::vector<std::string> contents;
  for (const auto& entry : fs.folders.at(kDest)) contents.push_back(entry.content);
  std::sort(contents.begin(), contents.end());
  EXPECT_EQ(contents, (std::vector<std::string>{"THUMBS.DB", "a.jpg", "hidden", "readonly"}));
}

// The settings file in use stays under every name that leads to it, found by what it is, not by its name.
TEST_P(FolderPaths, TheSettingsFileInUseStaysUnderEveryNameOfIt) {
  Start(Record(Naming::kTypedText));
  AddFiles({"Kelvora.ini", "settings-link", "a.jpg"});
  std::vector<FakeFileSystem::Entry>& source = fs.folders.at(kSource);
  source[1].inode = source[0].inode;  // a hard link
  fs.aliases[kSettingsPath] = kSource + "/Kelvora.ini";
  if (GetParam()) dlg->Click(IDC_SORT);
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(1)});
  EXPECT_EQ(fs.Names(kSource), (std::vector<std::string>{"Kelvora.ini", "settings-link"}));
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
}

// A file that only shares the settings file's name is the user's.
TEST_P(FolderPaths, AFileNamedLikeTheSettingsFileElsewhereMoves) {
  Start(Record(Naming::kTypedText));
  AddFiles({"Kelvora.ini"});
  if (GetParam()) dlg->Click(IDC_SORT);
  Run();
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(1)});
  EXPECT_EQ(fs.Content(kDest + "/IMG-0001.ini"), "Kelvora.ini");
}

TEST_P(FolderPaths, FifteenHundredFiles) {
  Start(Record(Naming::kTypedText));
  for (int i = 1; i <= 1500; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%04d.dat", i);
    fs.AddFile(kSource, name);
  }
  const bool listed = GetParam();
  if (listed) dlg->Click(IDC_SORT);
  Run();
  // A listing looks at 1000 directory entries, "." and ".." among them; walking has no limit.
  const int first = listed ? 998 : 1500;
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(first)}));
  EXPECT_EQ(Text(IDC_COUNT), std::to_string(first));
  EXPECT_EQ(fs.folders.at(kDest).size(), static_cast<std::size_t>(first));
  ASSERT_EQ(fs.folders.at(kSource).size(), static_cast<std::size_t>(1500 - first));
  if (!listed) return;
  EXPECT_EQ(fs.folders.at(kSource).front().name, "f0999.dat");
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(502)}));
  EXPECT_TRUE(fs.folders.at(kSource).empty());
  EXPECT_NE(fs.Find(kDest + "/IMG-1500.dat"), nullptr);
}

TEST_P(FolderPaths, NothingRenamedSaysSoAndSavesNothing) {
  const std::vector<std::vector<std::pair<std::string, std::uint32_t>>> folders = {
      {}, {{"Thumbs.db", kAttrNormal}, {"desktop.ini", kAttrNormal}, {"album", kAttrDirectory}}};
  for (const auto& entries : folders) {
    SCOPED_TRACE(entries.size());
    fs = FakeFileSystem{};
    Start(Record(Naming::kAutoCode));
    for (const auto& [name, attributes] : entries) fs.AddFile(kSource, name, attributes);
    if (GetParam()) dlg->Click(IDC_SORT);
    dlg->SetDlgItemText(IDC_COUNT, "7");
    dlg->SetDlgItemText(IDC_SWAPS, "7");
    Run();
    EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kNoFiles, kIconNone}}));
    EXPECT_EQ(Text(IDC_COUNT), "0");
    EXPECT_EQ(Text(IDC_SWAPS), "0");
    EXPECT_EQ(Writes(), 0);
    EXPECT_EQ(dlg->CodeText(), "A000000");
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, FolderPaths, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Listed" : "Walked"; });

// ---------------------------------------------------------------------------------------------------------
// The end of a run.

TEST_F(FolderBatchTest, CompletionBoxUnlessSuppressed) {
  for (const bool noConfirm : {false, true}) {
    SCOPED_TRACE(noConfirm);
    fs = FakeFileSystem{};
    SettingsRecord record = Record(Naming::kTypedText);
    record.noConfirm = noConfirm ? 1 : 0;
    Start(record);
    AddFiles({"a.jpg", "b.jpg"});
    Run();
    const Boxes expected = noConfirm ? Boxes{} : Boxes{{"完了！  2 件", kIconInformation}};
    EXPECT_EQ(host.TakeBoxes(), expected);
    EXPECT_EQ(Text(IDC_COUNT), "2");
    EXPECT_EQ(Writes(), 1);
    EXPECT_EQ(Saved().noConfirm, noConfirm ? 1 : 0);
  }
}

struct EndRow {
  const char* name;
  int namingMode;
  int autoCodeOn;
  int button;
  const char* typedSerial;  // nullptr: as start-up shows it
  std::vector<std::string> names;
  const char* serialAfter;
  const char* code;
};

class FolderEnd : public FolderBatchTest, public ::testing::WithParamInterface<EndRow> {};

TEST_P(FolderEnd, CodeAdvancesOnlyForAutoTextRunsAndTheSerialShowsWhereTheNextRunStarts) {
  const EndRow& row = GetParam();
  SettingsRecord record = Record(Naming::kTypedText);
  record.namingMode = row.namingMode;
  record.autoCodeOn = row.autoCodeOn;
  Start(record);
  AddFiles({"a.jpg", "b.jpg"});
  if (row.typedSerial) dlg->TypeText(IDC_SERIAL, row.typedSerial);
  Run(row.button);
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(2)}));
  EXPECT_EQ(fs.Names(kDest), row.names);
  EXPECT_EQ(Text(IDC_SERIAL), row.serialAfter);
  EXPECT_EQ(dlg->CodeText(), row.code);
  EXPECT_EQ(SavedCode(), row.code);
  if (row.autoCodeOn && row.namingMode == kModeText) {
    EXPECT_EQ(Text(IDC_PREFIX), row.code);
  }
  EXPECT_EQ(Saved().prefixText, "IMG-");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, FolderEnd,
    ::testing::Values(
        EndRow{"TypedText", 1, 0, IDOK, nullptr, {"IMG-0001.jpg", "IMG-0002.jpg"}, "3", "A000000"},
        EndRow{"AutoCode", 1, 1, IDOK, nullptr, {"A000000_0001.jpg", "A000000_0002.jpg"}, "1", "A00000A"},
        EndRow{"Stamp", 0, 0, IDOK, nullptr, {"20240131-235959_0001.jpg", "20240131-235959_0002.jpg"}, "1",
               "A000000"},
        EndRow{"StampWithAutoChecked", 0, 1, IDOK, nullptr,
               {"20240131-235959_0001.jpg", "20240131-235959_0002.jpg"}, "1", "A000000"},
        EndRow{"MoveOnlyTypedText", 1, 0, IDC_MOVE_ONLY, "05", {"a.jpg", "b.jpg"}, "05", "A000000"},
        EndRow{"MoveOnlyAutoCode", 1, 1, IDC_MOVE_ONLY, "7", {"a.jpg", "b.jpg"}, "7", "A000000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FolderBatchTest, MoveOnlySavesTheSerialTextAsTypedAndTheNextRunRenamesAgain) {
  Start(Record(Naming::kTypedText));
  AddFiles({"a.jpg"});
  dlg->TypeText(IDC_SERIAL, "05");
  Run(IDC_MOVE_ONLY);
  EXPECT_EQ(Saved().serialText, "05");
  EXPECT_EQ(dlg->NextSerial(), 5);
  AddFiles({"b.jpg"});
  Run();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(1), DoneBox(1)}));
  EXPECT_EQ(fs.Names(kDest), (std::vector<std::string>{"a.jpg", "IMG-0005.jpg"}));
}

TEST_F(FolderBatchTest, ControlsAreCapturedAndWritten) {
  Start(Record(Naming::kTypedText));
  fs.AddFile("/photos/100%", "a.jpg");
  dlg->TypeText(IDC_SRC_FOLDER, "/photos/100%");
  dlg->TypeText(IDC_PREFIX, "NEW%s-");
  dlg->Click(IDC_NO_CONFIRM);
  host.rect = {5, 6, 300, 200};
  Run();
  EXPECT_EQ(Moves(), std::vector<std::string>{Move("/photos/100%/a.jpg", "/dst/NEW%s-0001.jpg")});
  const SettingsRecord saved = Saved();
  EXPECT_EQ(saved.sourceFolder, "/photos/100%");
  EXPECT_EQ(saved.destFolder, kDest);
  EXPECT_EQ(saved.prefixText, "NEW%s-");
  EXPECT_EQ(saved.serialText, "2");
  EXPECT_EQ(saved.autoCodeOn, 0);
  EXPECT_EQ(saved.serialOn, 1);
  EXPECT_EQ(saved.appendOn, 0);
  EXPECT_EQ(saved.noConfirm, 1);
  EXPECT_EQ(saved.namingMode, 1);
  EXPECT_EQ(saved.windowLeft, 5);
  EXPECT_EQ(saved.windowTop, 6);
  EXPECT_EQ(saved.windowRight, 300);
  EXPECT_EQ(saved.windowBottom, 200);
}

TEST_F(FolderBatchTest, EmptyFolderEditFallsBackToTheRecordedFolder) {
  Start(Record(Naming::kTypedText));
  AddFiles({"a.jpg"});
  dlg->TypeText(IDC_SRC_FOLDER, "");
  Run();
  host.TakeBoxes();
  EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
  EXPECT_EQ(Saved().sourceFolder, kSource);
}

TEST_F(FolderBatchTest, DateTimeRunKeepsTheTextsOfTextMode) {
  SettingsRecord record = Record(Naming::kStamp);
  record.serialText = "40";
  Start(record);
  AddFiles({"a.jpg"});
  Run();
  host.TakeBoxes();
  EXPECT_EQ(Saved().prefixText, "IMG-");
  EXPECT_EQ(Saved().serialText, "40");
  EXPECT_EQ(Saved().namingMode, 0);
}

// ---------------------------------------------------------------------------------------------------------
// Failures of the walk.

class FolderWalkErrors : public FolderBatchTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FolderWalkErrors, UnreadableNextEntryEndsTheRunSavingWhatWasRenamed) {
  const bool listed = GetParam();
  Start(Record(Naming::kTypedText));
  AddFiles({"a.jpg", "b.jpg"});
  fs.nextError[kSource] = {3, 5};  // "..", a.jpg, then the failure
  if (listed) dlg->Click(IDC_SORT);
  Run();
  // A listing fails before it renames; walking has renamed what it met.
  EXPECT_EQ(host.TakeBoxes(), (Boxes{{"ファイル検索に失敗しました。 code = 5", listed ? kIconHand : kIconNone}}));
  EXPECT_EQ(fs.Names(kDest), listed ? std::vector<std::string>{} : std::vector<std::string>{"IMG-0001.jpg"});
  EXPECT_EQ(Writes(), listed ? 0 : 1);
  EXPECT_EQ(Text(IDC_COUNT), listed ? "0" : "1");
}

TEST_P(FolderWalkErrors, WalkThatCannotBeReopenedAfterAPauseEndsTheRunSavingWhatWasRenamed) {
  const std::pair<int, Box> cases[] = {{3, {text::kWalkMissing, kIconExclamation}},
                                       {5, {text::kWalkFailed, kIconHand}}};
  for (const auto& [error, box] : cases) {
    SCOPED_TRACE(error);
    fs = FakeFileSystem{};
    Start(Record(Naming::kTypedText));
    AddFiles({"a.jpg", "b.jpg"});
    if (GetParam()) dlg->Click(IDC_SORT);
    fs.failMove = [this, error = error](const std::string& from, const std::string&, int) -> std::optional<int> {
      if (from != kSource + "/b.jpg") return std::nullopt;
      fs.openWalkError[kSource] = error;
      return kMoveAccessDenied;
    };
    Run();
    EXPECT_EQ(host.TakeBoxes(), Boxes{box});
    EXPECT_EQ(fs.Names(kDest), std::vector<std::string>{"IMG-0001.jpg"});
    EXPECT_EQ(fs.Count("sleep 1000"), 1);
    EXPECT_EQ(Writes(), 1);
    EXPECT_EQ(Saved().serialText, "2");
  }
}

INSTANTIATE_TEST_SUITE_P(Paths, FolderWalkErrors, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Listed" : "Walked"; });

// ---------------------------------------------------------------------------------------------------------
// The serial limit.

struct LimitRow {
  const char* name;
  Naming naming;
  bool sort;
  const char* serial;
  Boxes boxes;
  std::vector<std::string> names;
  const char* code;
};

class FolderSerialLimit : public FolderBatchTest, public ::testing::WithParamInterface<LimitRow> {};

TEST_P(FolderSerialLimit, StopsBeforeTheEntryPastNineThousandNineHundredNinetyNine) {
  const LimitRow& row = GetParam();
  Start(Record(row.naming));
  AddFiles({"a.jpg", "b.jpg", "c.jpg"});
  if (row.sort) dlg->Click(IDC_SORT);
  dlg->TypeText(IDC_SERIAL, row.serial);
  Run();
  EXPECT_EQ(host.TakeBoxes(), row.boxes);
  EXPECT_EQ(fs.Names(kDest), row.names);
  EXPECT_EQ(dlg->NextSerial(), 1);
  EXPECT_EQ(dlg->CodeText(), row.code);
  EXPECT_EQ(Writes(), row.names.empty() ? 0 : 1);
  if (!row.names.empty()) {
    EXPECT_EQ(Text(IDC_SERIAL), "1");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, FolderSerialLimit,
    ::testing::Values(
        LimitRow{"Listed", Naming::kTypedText, true, "9998",
                 {kOverflowBox, DoneBox(2)}, {"IMG-9998.jpg", "IMG-9999.jpg"}, "A000000"},
        LimitRow{"Walked", Naming::kTypedText, false, "9998",
                 {kOverflowBox, DoneBox(2)}, {"IMG-9998.jpg", "IMG-9999.jpg"}, "A000000"},
        LimitRow{"AutoCodeStillAdvances", Naming::kAutoCode, true, "9999",
                 {kOverflowBox, DoneBox(1)}, {"A000000_9999.jpg"}, "A00000A"},
        LimitRow{"AtTheFirstEntry", Naming::kTypedText, true, "12000",
                 {kOverflowBox, {text::kNoFiles, kIconNone}}, {}, "A000000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FolderBatchTest, RunAfterTheLastNumberMeetsTheLimitEvenWithoutNumbers) {
  for (const int button : {IDOK, IDC_MOVE_ONLY}) {
    SCOPED_TRACE(button);
    fs = FakeFileSystem{};
    Start(Record(Naming::kTypedText));
    AddFiles({"a.jpg"});
    dlg->TypeText(IDC_SERIAL, "9999");
    Run();
    EXPECT_EQ(host.TakeBoxes(), (Boxes{DoneBox(1)}));
    EXPECT_EQ(Text(IDC_SERIAL), "10000");
    AddFiles({"b.jpg"});
    if (button == IDOK) dlg->Click(IDC_SERIAL_ON);
    Run(button);
    EXPECT_EQ(host.TakeBoxes(), (Boxes{kOverflowBox, {text::kNoFiles, kIconNone}}));
    EXPECT_EQ(fs.Names(kSource), std::vector<std::string>{"b.jpg"});
  }
}

}  // namespace
}  // namespace kelvora::testing
