// The plan against the batch on real folders: whatever the plan says, the batch does, name for name, and it stops where
// the plan says it stops.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "app/TarnwickDlg.h"
#include "platform/TempFolder.h"
#include "res/resource.h"
#include "rules/SettingsRecord.h"
#include "system/SlowFileSystem.h"

namespace kelvora {
namespace {

class BoxCounter final : public DialogHost {
 public:
  std::vector<std::string> boxes;
  void MessageBox(const std::string& text, int, const std::string&) override { boxes.push_back(text); }
  std::optional<std::string> BrowseForFolder(const std::string&, const std::string&) override {
    return std::nullopt;
  }
  void ShowAboutBox() override {}
  WindowRect GetWindowRect() override { return {}; }
  void ShowWindowAt(int, int) override {}
  void DragAcceptFiles(bool) override {}
  void ControlChanged(int) override {}
  void EndProcess(int) override {}
  void KeepAlive() override {}
};

enum class Stop { kNone, kTakenName, kSerialLimit, kLongPath };

struct Row {
  const char* name;
  bool sorted;
  int namingMode;
  bool autoCode;
  bool serial;
  bool append;
  bool moveOnly;
  Stop stop;
  int files;
};

class PlanVersusBatch : public ::testing::TestWithParam<Row> {
 protected:
  void SetUp() override {
    ASSERT_EQ(getcwd(m_cwd, sizeof m_cwd), m_cwd);
    ASSERT_EQ(chdir(m_root.path().c_str()), 0);  // the settings file lives in the current folder
    ASSERT_EQ(mkdir(m_source.c_str(), 0755), 0);
    ASSERT_EQ(mkdir(m_dest.c_str(), 0755), 0);
  }
  void TearDown() override { ASSERT_EQ(chdir(m_cwd), 0); }

  void MakeSource(const Row& row) {
    // Each file holds its own name, so every arrival can be traced to its origin.
    for (int i = row.files; i >= 1; --i) {
      const std::string name = "IMG_" + std::to_string(i) + (i % 3 ? ".JPG" : ".txt");
      test::WriteBytes(m_source + "/" + name, name);
    }
    for (const char* name : {"Thumbs.db", "desktop.ini", "a b", "写真.jpg"})
      test::WriteBytes(m_source + "/" + name, name);
    ASSERT_EQ(mkdir((m_source + "/album").c_str(), 0755), 0);
    if (row.stop == Stop::kLongPath) {
      const std::string longName = std::string(200, 'x') + ".JPG";
      test::WriteBytes(m_source + "/" + longName, longName);
    }
  }

  SettingsRecord Record(const Row& row) const {
    SettingsRecord record = DefaultSettings();
    record.sourceFolder = m_source;
    record.destFolder = m_dest;
    record.prefixText = "IMG-";
    record.serialText = row.stop == Stop::kSerialLimit ? "9990" : "1";
    record.namingMode = row.namingMode;
    record.autoCodeOn = row.autoCode ? 1 : 0;
    record.serialOn = row.serial ? 1 : 0;
    record.appendOn = row.append ? 1 : 0;
    record.noConfirm = 1;
    return record;
  }

  test::TempFolder m_root;
  const std::string m_source = m_root / "source";
  const std::string m_dest = m_root / "a folder whose name is long enough to push a long name past the limit";
  char m_cwd[4096];
};

TEST_P(PlanVersusBatch, TheBatchDoesWhatThePlanSaid) {
  const Row& row = GetParam();
  MakeSource(row);
  test::WriteBytes("Kelvora.ini", FormatSettingsLine(Record(row)));
  test::SlowFileSystem fileSystem;
  fileSystem.fixedNow = 1706745599;
  BoxCounter host;
  CTarnwickDlg dialog(host, fileSystem, "kelvora");
  dialog.OnInitDialog();
  if (row.sorted) dialog.Click(IDC_SORT);

  FolderPlan plan = dialog.PlanFolderBatch(row.moveOnly);
  if (row.stop == Stop::kTakenName) {
    // Take the name the plan gives the seventh file moved; planned again, it stops there.
    const auto moved = [](const PlannedEntry& entry) { return entry.step == PlannedStep::kMove; };
    auto seventh = plan.entries.begin();
    for (int k = 0; k < 7; ++k) seventh = std::find_if(k ? seventh + 1 : seventh, plan.entries.end(), moved);
    ASSERT_NE(seventh, plan.entries.end());
    test::WriteBytes(m_dest + "/" + seventh->newName, "taken");
    plan = dialog.PlanFolderBatch(row.moveOnly);
  }
  ASSERT_EQ(plan.refusal, "");
  ASSERT_FALSE(plan.entries.empty());
  const PlannedStep last = plan.entries.back().step;
  const bool stops = StopsBatch(last);
  EXPECT_EQ(stops, row.stop != Stop::kNone) << "the plan ends with step " << static_cast<int>(last);

  const std::vector<std::string> before = test::Names(m_source);
  dialog.Click(row.moveOnly ? IDC_MOVE_ONLY : IDOK);

  std::vector<std::string> arrived;
  int movedCount = 0;
  for (const PlannedEntry& entry : plan.entries) {
    SCOPED_TRACE(entry.oldName + " -> " + entry.newName);
    const std::string from = m_source + "/" + entry.oldName;
    if (entry.step == PlannedStep::kMove) {
      ++movedCount;
      EXPECT_FALSE(test::Exists(from));
      ASSERT_TRUE(test::Exists(m_dest + "/" + entry.newName));
      EXPECT_EQ(test::ReadBytes(m_dest + "/" + entry.newName), entry.oldName);
      arrived.push_back(entry.newName);
    } else {
      EXPECT_TRUE(test::Exists(from)) << "step " << static_cast<int>(entry.step);
    }
  }
  EXPECT_EQ(dialog.FileCount(), movedCount);
  // Nothing arrived that the plan did not name, and only what it named left the source.
  std::vector<std::string> inDest = test::Names(m_dest);
  if (row.stop == Stop::kTakenName) std::erase(inDest, plan.entries.back().newName);
  std::sort(arrived.begin(), arrived.end());
  EXPECT_EQ(inDest, arrived);
  std::vector<std::string> remaining = before;
  for (const PlannedEntry& entry : plan.entries)
    if (entry.step == PlannedStep::kMove) std::erase(remaining, entry.oldName);
  EXPECT_EQ(test::Names(m_source), remaining);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, PlanVersusBatch,
    ::testing::Values(Row{"WalkedTypedText", false, 1, false, true, false, false, Stop::kNone, 40},
                      Row{"ListedTypedTextPastTheListing", true, 1, false, true, false, false, Stop::kNone, 1010},
                      Row{"WalkedAutoCodeTakenName", false, 1, true, false, true, false, Stop::kTakenName, 40},
                      Row{"ListedAutoCodeTakenName", true, 1, true, true, false, false, Stop::kTakenName, 40},
                      Row{"WalkedStamp", false, 0, false, true, true, false, Stop::kNone, 40},
                      Row{"ListedStamp", true, 0, true, true, true, false, Stop::kNone, 40},
                      Row{"ListedSerialLimit", true, 1, false, true, true, false, Stop::kSerialLimit, 40},
                      Row{"WalkedSerialLimit", false, 1, false, true, false, false, Stop::kSerialLimit, 40},
                      Row{"WalkedMoveOnlyTakenName", false, 1, false, true, true, true, Stop::kTakenName, 40},
                      Row{"ListedMoveOnly", true, 1, true, true, true, true, Stop::kNone, 40},
                      Row{"WalkedLongPath", false, 1, false, true, true, false, Stop::kLongPath, 40},
                      Row{"ListedLongPath", true, 1, true, false, true, false, Stop::kLongPath, 40}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora
