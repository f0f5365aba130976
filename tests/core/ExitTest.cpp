#include "DialogFixture.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

class ExitTest : public DialogFixture {
 protected:
  SettingsRecord ExitAndRead() {
    dlg->OnCommand(IDCANCEL);
    EXPECT_EQ(host.endStatus, 0);
    return Saved();
  }
};

TEST_F(ExitTest, WithAutoOnSavesTheKeptTextsNotTheCode) {
  SettingsRecord record = FolderSettings();
  record.prefixText = "IMG-";
  record.serialText = "5";
  Start(record);
  host.rect = {30, 40, 500, 300};
  const SettingsRecord saved = ExitAndRead();
  EXPECT_EQ(saved.prefixText, "IMG-");
  EXPECT_EQ(saved.serialText, "5");
  EXPECT_EQ(saved.autoCodeOn, 1);
  EXPECT_EQ(saved.windowLeft, 30);
  EXPECT_EQ(saved.windowTop, 40);
  EXPECT_EQ(saved.windowRight, 500);
  EXPECT_EQ(saved.windowBottom, 300);
}

TEST_F(ExitTest, CapturesTypedTextsAndChecksInEveryMode) {
  SettingsRecord record = FolderSettings();
  record.autoCodeOn = 0;
  record.serialOn = 1;
  Start(record);
  dlg->TypeText(IDC_PREFIX, "new-");
  dlg->Click(IDC_NO_CONFIRM);
  dlg->Click(IDC_MODE_STAMP);  // the serial shows "1" in date-time mode; that is what is saved
  dlg->TypeText(IDC_SRC_FOLDER, "");
  const SettingsRecord saved = ExitAndRead();
  EXPECT_EQ(saved.prefixText, "new-");
  EXPECT_EQ(saved.serialText, "1");
  EXPECT_EQ(saved.noConfirm, 1);
  EXPECT_EQ(saved.namingMode, 0);
  EXPECT_EQ(saved.sourceFolder, kSource);
}

TEST_F(ExitTest, NeitherRadioSavesMinusOne) {
  SettingsRecord record = FolderSettings();
  record.namingMode = 5;
  Start(record);
  EXPECT_EQ(ExitAndRead().namingMode, -1);
}

TEST_F(ExitTest, ReadOnlySettingsFileReportsAndStillEnds) {
  Start(FolderSettings());
  const std::string before = fs.files.at(kSettingsPath);
  fs.replaceResult = ReplaceFileResult::kOpenFailed;
  dlg->OnCommand(IDCANCEL);
  EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kSettingsOpenFailed, kIconHand}}));
  EXPECT_EQ(host.endStatus, 0);
  EXPECT_EQ(fs.files.at(kSettingsPath), before);
}

TEST_F(ExitTest, NothingRunsAfterTheEnd) {
  Start(FolderSettings());
  dlg->OnCommand(IDCANCEL);
  const int writes = fs.Count("write");
  dlg->Click(IDC_AUTO);
  dlg->OnCommand(IDCANCEL);
  EXPECT_EQ(Checked(IDC_AUTO), 1);
  EXPECT_EQ(fs.Count("write"), writes);
}

TEST_F(ExitTest, ClearsTheSortBoxWithoutRunningAnything) {
  Start(FolderSettings());
  dlg->Click(IDC_SORT);
  dlg->OnCommand(IDCANCEL);
  EXPECT_EQ(Checked(IDC_SORT), 0);
}

}  // namespace
}  // namespace kelvora::testing
