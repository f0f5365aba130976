#include "DialogFixture.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

using StartupTest = DialogFixture;

TEST_F(StartupTest, FirstStartWithoutFileWarnsShowsDefaultsAndWritesThem) {
  StartWithCurrentFiles();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kSettingsMissing, kIconExclamation}}));
  EXPECT_EQ(host.lastCaption, "kelvora");
  EXPECT_EQ(fs.files.at(kSettingsPath), FormatSettingsLine(DefaultSettings()));
  EXPECT_EQ(Checked(IDC_AUTO), 1);
  EXPECT_EQ(Text(IDC_AUTO), text::kAutoLabel);
  EXPECT_EQ(Text(IDC_PREFIX), "A000000");
  EXPECT_TRUE(ReadOnly(IDC_PREFIX));
  EXPECT_EQ(Text(IDC_SERIAL), "1");
  EXPECT_EQ(Checked(IDC_APPEND), 1);
  EXPECT_EQ(Text(IDC_APPEND), text::kAppendLabel);
  EXPECT_EQ(Text(IDC_COUNT), "0");
  EXPECT_EQ(Text(IDC_SWAPS), "0");
  EXPECT_EQ(Text(IDC_OLD_NAME), text::kOldNameDisplay);
  EXPECT_EQ(Text(IDC_SRC_FOLDER), "C:\\temp001");
  EXPECT_EQ(dlg->GetRadioGroup(IDC_MODE_STAMP), 1);
  EXPECT_EQ(host.shownAt, (std::pair{0, 0}));
  EXPECT_EQ(Checked(IDC_DRAGDROP), 0);
  EXPECT_EQ(Checked(IDC_SORT), 0);
}

TEST_F(StartupTest, UnreadableRecordsFallBackToDefaults) {
  const std::string lines[] = {"", "only\tthree\tfields\t\n", "\n"};
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    fs = FakeFileSystem{};
    fs.files[kSettingsPath] = line;
    StartWithCurrentFiles();
    EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kSettingsUnreadable, kIconHand}}));
    EXPECT_EQ(fs.files.at(kSettingsPath), FormatSettingsLine(DefaultSettings()));
  }
}

TEST_F(StartupTest, SettingsFileNeitherReadableNorWritableShowsBothMessages) {
  fs.replaceResult = ReplaceFileResult::kOpenFailed;
  StartWithCurrentFiles();
  EXPECT_EQ(host.TakeBoxes(), (Boxes{{text::kSettingsMissing, kIconExclamation}, {text::kSettingsOpenFailed, kIconHand}}));
}

struct StartupRow {
  const char* name;
  int autoCodeOn, serialOn, appendOn, namingMode;
  const char* prefixShown;
  bool prefixReadOnly, prefixEnabled, autoEnabled;
  const char* serialShown;
  bool serialReadOnly;
  int appendChecked, serialChecked;
  int radio;
};

class StartupStates : public DialogFixture, public ::testing::WithParamInterface<StartupRow> {};

TEST_P(StartupStates, ControlsFollowTheRecord) {
  const StartupRow& row = GetParam();
  SettingsRecord record = FolderSettings();
  record.prefixText = "IMG-";
  record.serialText = "42";
  record.autoCodeOn = row.autoCodeOn;
  record.serialOn = row.serialOn;
  record.appendOn = row.appendOn;
  record.namingMode = row.namingMode;
  Start(record);
  EXPECT_EQ(Text(IDC_AUTO), row.autoCodeOn == 1 ? text::kAutoLabel : text::kManualLabel);
  EXPECT_EQ(Text(IDC_PREFIX), row.prefixShown);
  EXPECT_EQ(ReadOnly(IDC_PREFIX), row.prefixReadOnly);
  EXPECT_EQ(Enabled(IDC_PREFIX), row.prefixEnabled);
  EXPECT_EQ(Enabled(IDC_AUTO), row.autoEnabled);
  EXPECT_EQ(Text(IDC_SERIAL), row.serialShown);
  EXPECT_EQ(ReadOnly(IDC_SERIAL), row.serialReadOnly);
  EXPECT_EQ(Checked(IDC_APPEND), row.appendChecked);
  EXPECT_EQ(Checked(IDC_SERIAL_ON), row.serialChecked);
  EXPECT_EQ(dlg->GetRadioGroup(IDC_MODE_STAMP), row.radio);
  EXPECT_EQ(dlg->NextSerial(), 42);
}

INSTANTIATE_TEST_SUITE_P(
    Records, StartupStates,
    ::testing::Values(
        StartupRow{"AutoOnTextMode", 1, 1, 1, 1, "A000000", true, true, true, "1", false, 1, 1, 1},
        StartupRow{"ManualTextMode", 0, 1, 1, 1, "IMG-", false, true, true, "42", false, 1, 1, 1},
        StartupRow{"StampModeDisablesAutoAndPrefix", 0, 1, 1, 0, "IMG-", false, false, false, "1", false, 1, 1, 0},
        StartupRow{"StampModeSerialOffKeepsSerial", 0, 0, 1, 0, "IMG-", false, false, false, "42", true, 1, 0, 0},
        StartupRow{"NeitherModeRunsNoRadioHandler", 0, 1, 1, 2, "IMG-", false, true, true, "42", false, 1, 1, -1},
        StartupRow{"SerialAndAppendBothOffTurnsAppendOn", 0, 0, 0, 1, "IMG-", false, true, true, "42", true, 1, 0, 1},
        StartupRow{"CheckValueTwoCountsAsOff", 2, 2, 1, 1, "IMG-", false, true, true, "42", true, 1, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupTest, WindowGoesToTheSavedPositionUnclamped) {
  SettingsRecord record = FolderSettings();
  record.windowLeft = 100;
  record.windowTop = 200;
  record.windowRight = 50;
  record.windowBottom = 50;
  Start(record);
  EXPECT_EQ(host.shownAt, (std::pair{100, 200}));
  record.windowLeft = -30000;
  record.windowTop = 40000;
  Start(record);
  EXPECT_EQ(host.shownAt, (std::pair{-30000, 40000}));
}

TEST_F(StartupTest, AboutCommandOpensTheAboutBox) {
  Start(FolderSettings());
  dlg->OnSysCommand(IDM_ABOUTBOX | 0x3);
  dlg->OnSysCommand(0xF060);
  EXPECT_EQ(host.aboutBoxes, 1);
}

}  // namespace
}  // namespace kelvora::testing
