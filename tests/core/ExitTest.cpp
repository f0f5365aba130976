#include "DialogFixture.h"
#include "res/Strings.h"
#include "rules/AutoCode.h"

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

TEST_F(ExitTest, OverlongTextsAreSavedCutAndTheNextStartKeepsEverySetting) {
  SettingsRecord record = FolderSettings();
  record.autoCodeOn = 0;
  record.serialOn = 1;
  record.codeIndex = {3, 0, 0, 0, 0, 0, 2};
  Start(record);
  // "写" is three bytes: 100 of them cross the limit in the middle of one.
  std::string photos;
  for (int i = 0; i < 100; ++i) photos += "\xE5\x86\x99";
  dlg->TypeText(IDC_SRC_FOLDER, "/" + photos);
  dlg->TypeText(IDC_DST_FOLDER, std::string(400, 'd'));
  dlg->TypeText(IDC_PREFIX, photos);
  dlg->TypeText(IDC_SERIAL, "7" + photos);
  dlg->OnCommand(IDCANCEL);

  const std::optional<SettingsRecord> saved = ParseSettingsLine(fs.files.at(kSettingsPath));
  ASSERT_TRUE(saved.has_value()) << "the saved line no longer reads as a record";
  EXPECT_EQ(saved->sourceFolder, "/" + photos.substr(0, 258));
  EXPECT_EQ(saved->destFolder, std::string(259, 'd'));
  EXPECT_EQ(saved->prefixText, photos.substr(0, 258));
  EXPECT_EQ(saved->serialText, "7" + photos.substr(0, 258));
  EXPECT_EQ(ComposeCodeText(saved->codeChars), "B00000C");

  host = FakeHost{};
  StartWithCurrentFiles();
  EXPECT_EQ(host.TakeBoxes(), Boxes{});
  EXPECT_EQ(dlg->Settings(), *saved);
  EXPECT_EQ(Text(IDC_SRC_FOLDER), saved->sourceFolder);
}

}  // namespace
}  // namespace kelvora::testing
