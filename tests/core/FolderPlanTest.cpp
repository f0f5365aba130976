#include <cstdio>
#include <functional>

#include "DialogFixture.h"

namespace kelvora {
void PrintTo(const PlannedEntry& entry, std::ostream* out) {
  *out << "{" << entry.oldName << " -> " << entry.newName << ", serial "
       << (entry.serial ? std::to_string(*entry.serial) : "none") << ", step " << static_cast<int>(entry.step) << "}";
}
}  // namespace kelvora

namespace kelvora::testing {
namespace {

using Step = PlannedStep;

class FolderPlanTest : public DialogFixture {
 protected:
  /// The typed text "IMG-", serial numbers from 1, the old extension.
  void StartTyped() { Start(TypedTextSettings()); }

  std::vector<PlannedEntry> Plan(bool moveOnly = false) {
    const FolderPlan plan = dlg->PlanFolderBatch(moveOnly);
    EXPECT_EQ(plan.refusal, "");
    return plan.entries;
  }
};

PlannedEntry Moved(std::string from, std::string to, std::optional<std::int32_t> serial = std::nullopt) {
  return {std::move(from), std::move(to), serial, Step::kMove};
}
PlannedEntry Left(std::string name, Step step) { return {std::move(name), {}, {}, step}; }

// --------------------------------------------------------------------------------------------------------- The names,
// as the batch composes them.

struct NamingRow {
  const char* name;
  int namingMode;
  int autoCodeOn;
  int serialOn;
  int appendOn;
  bool moveOnly;
  std::vector<PlannedEntry> plan;
};

class PlanNaming : public FolderPlanTest, public ::testing::WithParamInterface<NamingRow> {};

TEST_P(PlanNaming, GivesEachFileItsNewNameAndSerialNumberInWalkOrder) {
  const NamingRow& row = GetParam();
  SettingsRecord record = TypedTextSettings();
  record.namingMode = row.namingMode;
  record.autoCodeOn = row.autoCodeOn;
  record.serialOn = row.serialOn;
  record.appendOn = row.appendOn;
  Start(record);
  fs.AddFile(kSource, "b.jpg");
  fs.AddFile(kSource, "a.txt");
  EXPECT_EQ(Plan(row.moveOnly), row.plan);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, PlanNaming,
    ::testing::Values(
        NamingRow{
            "TypedText", 1, 0, 1, 0, false, {Moved("b.jpg", "IMG-0001.jpg", 1), Moved("a.txt", "IMG-0002.txt", 2)}},
        NamingRow{"AutoCode", 1, 1, 0, 1, false, {Moved("b.jpg", "A000000_b.jpg"), Moved("a.txt", "A000000_a.txt")}},
        NamingRow{"Stamp",
                  0,
                  0,
                  1,
                  1,
                  false,
                  {Moved("b.jpg", "20240131-235959_0001_b.jpg", 1), Moved("a.txt", "20240131-235959_0002_a.txt", 2)}},
        NamingRow{"MoveOnly", 1, 0, 1, 0, true, {Moved("b.jpg", "b.jpg"), Moved("a.txt", "a.txt")}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FolderPlanTest, StampIsTheTimeThePlanIsMadeAndTheSerialStartComesFromTheEdit) {
  StartTyped();
  fs.AddFile(kSource, "a.jpg");
  dlg->Click(IDC_MODE_STAMP);
  fs.now += 61;
  EXPECT_EQ(Plan(), std::vector<PlannedEntry>{Moved("a.jpg", "20240201-000100_0001.jpg", 1)});
  dlg->Click(IDC_MODE_TEXT);
  dlg->TypeText(IDC_SERIAL, "0");  // read as a batch reads it: 0 is 1
  dlg->TypeText(IDC_PREFIX, "X");
  EXPECT_EQ(Plan(), std::vector<PlannedEntry>{Moved("a.jpg", "X0001.jpg", 1)});
  dlg->TypeText(IDC_SERIAL, "42");
  EXPECT_EQ(Plan(), std::vector<PlannedEntry>{Moved("a.jpg", "X0042.jpg", 42)});
}

// --------------------------------------------------------------------------------------------------------- What stays
// where it is, and the two orders.

TEST_F(FolderPlanTest, SkippedNamesAndPlainFoldersStayFoldersWithMoreBitsMove) {
  StartTyped();
  fs.AddFile(kSource, "Thumbs.db");
  fs.AddFile(kSource, "plain", kAttrDirectory);
  fs.AddFile(kSource, "hidden", kAttrDirectory | kAttrHidden);
  fs.AddFile(kSource, "THUMBS.DB");
  fs.AddFile(kSource, "desktop.ini");
  EXPECT_EQ(Plan(), (std::vector<PlannedEntry>{Left("Thumbs.db", Step::kSkippedName), Left("plain", Step::kPlainFolder),
                                               Moved("hidden", "IMG-0001", 1), Moved("THUMBS.DB", "IMG-0002.DB", 2),
                                               Left("desktop.ini", Step::kSkippedName)}));
}

TEST_F(FolderPlanTest, TheSettingsFileInUseStaysUnderEveryNameOfIt) {
  StartTyped();
  for (const char* name : {"Kelvora.ini", "settings-link", "a.jpg"}) fs.AddFile(kSource, name);
  std::vector<FakeFileSystem::Entry>& source = fs.folders.at(kSource);
  source[1].inode = source[0].inode;  // a hard link
  fs.aliases[kSettingsPath] = kSource + "/Kelvora.ini";
  EXPECT_EQ(Plan(), (std::vector<PlannedEntry>{Left("Kelvora.ini", Step::kKeptFile),
                                               Left("settings-link", Step::kKeptFile), Moved("a.jpg", "IMG-0001.jpg", 1)}));
}

TEST_F(FolderPlanTest, ListPathLeavesInPlaceFirstThenSortsAndLeavesWhatIsPastTheListingForALaterRun) {
  StartTyped();
  dlg->Click(IDC_SORT);
  for (int i = 1500; i >= 1; --i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%d.dat", i);
    fs.AddFile(kSource, name);
    if (i == 1400) fs.AddFile(kSource, "Thumbs.db");
    if (i == 200) fs.AddFile(kSource, "desktop.ini");
  }
  const std::vector<PlannedEntry> plan = Plan();
  // 1000 directory entries are looked at: ".", "..", Thumbs.db and 997 files (f1500 down to f504).
  ASSERT_EQ(plan.size(), 1502u);
  EXPECT_EQ(plan[0], Left("Thumbs.db", Step::kSkippedName));
  EXPECT_EQ(plan[1], Moved("f504.dat", "IMG-0001.dat", 1));
  EXPECT_EQ(plan[997], Moved("f1500.dat", "IMG-0997.dat", 997));
  EXPECT_EQ(plan[998], Left("f503.dat", Step::kLaterRun));
  EXPECT_EQ(plan[1501], Left("f1.dat", Step::kLaterRun));
  const auto desktop = std::find(plan.begin(), plan.end(), Left("desktop.ini", Step::kSkippedName));
  EXPECT_EQ(desktop - plan.begin(), 998 + (503 - 200) + 1);
}

// --------------------------------------------------------------------------------------------------------- Where the
// batch would stop.

// Where the destination compares names as bytes, the plan reads its names once; elsewhere it asks for each.
class PlanTakenName : public FolderPlanTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PlanTakenName, StopsThePlanThere) {
  fs.exactNames = GetParam();
  StartTyped();
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) fs.AddFile(kSource, name);
  fs.AddFile(kDest, "IMG-0002.jpg");
  EXPECT_EQ(Plan(), (std::vector<PlannedEntry>{Moved("a.jpg", "IMG-0001.jpg", 1),
                                               {"b.jpg", "IMG-0002.jpg", 2, Step::kTargetExists}}));
}

INSTANTIATE_TEST_SUITE_P(ExactOrFoldedNames, PlanTakenName, ::testing::Bool());

TEST_F(FolderPlanTest, InAFolderThatFoldsNamesAnotherSpellingOfANameTakesIt) {
  StartTyped();
  fs.AddFile(kSource, "a.jpg");
  fs.AddFile(kDest, "img-0001.JPG");
  fs.aliases[kDest + "/IMG-0001.jpg"] = kDest + "/img-0001.JPG";
  EXPECT_EQ(Plan(), (std::vector<PlannedEntry>{{"a.jpg", "IMG-0001.jpg", 1, Step::kTargetExists}}));
}

TEST_F(FolderPlanTest, ADestinationOfManyMoreEntriesThanTheSourceIsAskedNameByName) {
  fs.exactNames = true;
  StartTyped();
  fs.AddFile(kSource, "a.jpg");
  for (int i = 0; i < 20; ++i) fs.AddFile(kDest, "other" + std::to_string(i));
  // Only asking finds this spelling, which no walk of the destination lists.
  fs.aliases[kDest + "/IMG-0001.jpg"] = kDest + "/other0";
  EXPECT_EQ(Plan(), (std::vector<PlannedEntry>{{"a.jpg", "IMG-0001.jpg", 1, Step::kTargetExists}}));
}

TEST(FolderPlanRule, TwoFilesOfTheRunUnderOneNameStopAtTheSecond) {
  // Neither serial numbers nor the old name: the window never lets both go, but the rule is defined for it.
  FolderPlanInputs inputs;
  inputs.naming = NameInputs{kModeStamp, RunOptions{}, "20240131-235959", "A000000", "", false};
  inputs.sourceFolder = kSource;
  inputs.destFolder = kDest;
  const std::vector<FindData> walked = {
      {"a.jpg", kAttrNormal, {}}, {"b.txt", kAttrNormal, {}}, {"c.jpg", kAttrNormal, {}}, {"d.jpg", kAttrNormal, {}}};
  EXPECT_EQ(PlanFolderBatch(walked, inputs, [](const std::string&, const std::string&) { return false; }),
            (std::vector<PlannedEntry>{Moved("a.jpg", "20240131-235959.jpg"),
                                       Moved("b.txt", "20240131-235959.txt"),
                                       {"c.jpg", "20240131-235959.jpg", {}, Step::kTargetExists}}));
}

TEST_F(FolderPlanTest, TheSerialLimitStopsBeforeTheEntryIsNamed) {
  StartTyped();
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg"}) fs.AddFile(kSource, name);
  dlg->TypeText(IDC_SERIAL, "9998");
  EXPECT_EQ(Plan(),
            (std::vector<PlannedEntry>{Moved("a.jpg", "IMG-9998.jpg", 9998), Moved("b.jpg", "IMG-9999.jpg", 9999),
                                       Left("c.jpg", Step::kSerialLimit)}));
}

TEST_F(FolderPlanTest, APathOverTheLimitStopsThePlan) {
  SettingsRecord record = TypedTextSettings();
  record.appendOn = 1;
  Start(record);
  // "/src/" + 250 bytes fits; "/dst/IMG-0002_" + 250 bytes does not.
  const std::string longName = std::string(246, 'x') + ".jpg";
  for (const std::string& name : {std::string("a.jpg"), longName, std::string("c.jpg")}) fs.AddFile(kSource, name);
  EXPECT_EQ(Plan(), (std::vector<PlannedEntry>{Moved("a.jpg", "IMG-0001_a.jpg", 1),
                                               {longName, "IMG-0002_" + longName, 2, Step::kPathTooLong}}));
}

// --------------------------------------------------------------------------------------------------------- What the
// plan does not do.

TEST_F(FolderPlanTest, FolderChecksAndWalkErrorsRefuseThePlanWithTheBatchsMessage) {
  StartTyped();
  fs.AddFile(kSource, "a.jpg");
  dlg->TypeText(IDC_DST_FOLDER, "/src/");
  EXPECT_EQ(dlg->PlanFolderBatch(false).refusal, text::kSameFolder);
  dlg->TypeText(IDC_DST_FOLDER, "/gone");
  EXPECT_EQ(dlg->PlanFolderBatch(false).refusal, text::kDestMissing);
  dlg->TypeText(IDC_DST_FOLDER,
                "");  // an empty edit stands for the saved folder, as in a batch
  fs.nextError[kSource] = {2, 5};
  const FolderPlan plan = dlg->PlanFolderBatch(false);
  EXPECT_EQ(plan.refusal, std::string(text::kNextEntryFailed) + " code = 5");
  EXPECT_TRUE(plan.entries.empty());
  EXPECT_EQ(fs.openWalks, 0);
}

TEST_F(FolderPlanTest, ChangesNoFileControlCounterOrStamp) {
  StartTyped();
  for (const char* name : {"a.jpg", "b.jpg"}) fs.AddFile(kSource, name);
  dlg->Click(IDC_MODE_STAMP);
  dlg->TypeText(IDC_SRC_FOLDER, "/src/");
  std::vector<ControlState> before(dlg->Controls().begin(), dlg->Controls().end());
  fs.log.clear();
  EXPECT_EQ(Plan().size(), 2u);
  for (const std::string& line : fs.log)
    EXPECT_TRUE(line.rfind("open ", 0) == 0 || line.rfind("close ", 0) == 0) << line;
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(dlg->Controls()[i].text, before[i].text);
  EXPECT_EQ(dlg->NextSerial(), 1);
  EXPECT_EQ(dlg->StampText(), "");
  EXPECT_EQ(dlg->Settings().sourceFolder, kSource);
  EXPECT_EQ(fs.openWalks, 0);
}

// --------------------------------------------------------------------------------------------------------- Telling a
// preview when to plan again.

TEST_F(FolderPlanTest, FoldersAndNamingOptionsTellTheHostOtherControlsDoNot) {
  StartTyped();
  fs.AddFile(kSource, "a.jpg");
  const std::pair<const char*, std::function<void()>> changes[] = {
      {"source typed", [&] { dlg->TypeText(IDC_SRC_FOLDER, "/elsewhere"); }},
      {"prefix typed", [&] { dlg->TypeText(IDC_PREFIX, "X-"); }},
      {"serial typed", [&] { dlg->TypeText(IDC_SERIAL, "5"); }},
      {"append", [&] { dlg->Click(IDC_APPEND); }},
      {"auto", [&] { dlg->Click(IDC_AUTO); }},
      {"mode", [&] { dlg->Click(IDC_MODE_STAMP); }},
      {"sort", [&] { dlg->Click(IDC_SORT); }},
  };
  for (const auto& [name, change] : changes) {
    SCOPED_TRACE(name);
    host.planNotices = 0;
    change();
    EXPECT_GE(host.planNotices, 1);
  }
  host.planNotices = 0;
  dlg->Click(IDC_NO_CONFIRM);
  EXPECT_EQ(host.planNotices, 0);
}

TEST_F(FolderPlanTest, ABatchTellsTheHostOnceAtItsEnd) {
  StartTyped();
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) fs.AddFile(kSource, name);
  host.planNotices = 0;
  int noticesDuringBatch = -1;
  host.duringBox = [&] { noticesDuringBatch = host.planNotices; };
  dlg->Click(IDOK);
  EXPECT_EQ(host.TakeBoxes(), Boxes{DoneBox(3)});
  EXPECT_EQ(noticesDuringBatch, 0);
  EXPECT_EQ(host.planNotices, 1);
}

TEST_F(FolderPlanTest, ThePreviewCommandOpensThePreviewButNotDuringABatch) {
  StartTyped();
  fs.AddFile(kSource, "a.jpg");
  dlg->OnSysCommand(IDM_PREVIEW);
  EXPECT_EQ(host.previews, 1);
  host.duringBox = [&] { dlg->OnSysCommand(IDM_PREVIEW); };
  dlg->Click(IDOK);
  host.TakeBoxes();
  EXPECT_EQ(host.previews, 1);
}

}  // namespace
}  // namespace kelvora::testing
