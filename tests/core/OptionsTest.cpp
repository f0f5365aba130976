#include "DialogFixture.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

class OptionsTest : public DialogFixture {
 protected:
  void StartManual(int serialOn = 1, int appendOn = 1) {
    SettingsRecord record = FolderSettings();
    record.autoCodeOn = 0;
    record.prefixText = "IMG-";
    record.serialText = "7";
    record.serialOn = serialOn;
    record.appendOn = appendOn;
    Start(record);
  }
};

TEST_F(OptionsTest, AutoOnAndOffAgainPutsBackTheTypedTexts) {
  StartManual();
  dlg->TypeText(IDC_PREFIX, "typed-");
  dlg->TypeText(IDC_SERIAL, "12");
  dlg->Click(IDC_AUTO);
  EXPECT_EQ(Text(IDC_AUTO), text::kAutoLabel);
  EXPECT_EQ(Text(IDC_PREFIX), "A000000");
  EXPECT_TRUE(ReadOnly(IDC_PREFIX));
  EXPECT_TRUE(Enabled(IDC_PREFIX));
  EXPECT_EQ(Text(IDC_SERIAL), "1");
  dlg->TypeText(IDC_SERIAL, "99");  // typed while AUTO is on: lost
  dlg->Click(IDC_AUTO);
  EXPECT_EQ(Text(IDC_AUTO), text::kManualLabel);
  EXPECT_EQ(Text(IDC_PREFIX), "typed-");
  EXPECT_FALSE(ReadOnly(IDC_PREFIX));
  EXPECT_EQ(Text(IDC_SERIAL), "12");
}

TEST_F(OptionsTest, SerialAndAppendCanNeverBothBeOff) {
  StartManual(1, 0);
  EXPECT_EQ(Text(IDC_APPEND), text::kNoAppendLabel);
  dlg->Click(IDC_SERIAL_ON);
  EXPECT_EQ(Checked(IDC_SERIAL_ON), 0);
  EXPECT_TRUE(ReadOnly(IDC_SERIAL));
  EXPECT_EQ(Checked(IDC_APPEND), 1);
  EXPECT_EQ(Text(IDC_APPEND), text::kAppendLabel);
  dlg->Click(IDC_APPEND);
  EXPECT_EQ(Checked(IDC_APPEND), 0);
  EXPECT_EQ(Text(IDC_APPEND), text::kNoAppendLabel);
  EXPECT_EQ(Checked(IDC_SERIAL_ON), 1);
  EXPECT_FALSE(ReadOnly(IDC_SERIAL));
  dlg->Click(IDC_APPEND);
  EXPECT_EQ(Text(IDC_APPEND), text::kAppendLabel);
  EXPECT_EQ(Checked(IDC_SERIAL_ON), 1);
}

TEST_F(OptionsTest, StampModeKeepsTheSerialStartForTextMode) {
  StartManual();
  dlg->TypeText(IDC_SERIAL, "55");
  dlg->Click(IDC_MODE_STAMP);
  EXPECT_EQ(dlg->GetRadioGroup(IDC_MODE_STAMP), 0);
  EXPECT_EQ(Text(IDC_SERIAL), "1");
  EXPECT_FALSE(Enabled(IDC_AUTO));
  EXPECT_FALSE(Enabled(IDC_PREFIX));
  EXPECT_EQ(Text(IDC_PREFIX), "IMG-");
  dlg->Click(IDC_MODE_STAMP);  // a second click must not keep "1" as the serial start
  dlg->Click(IDC_MODE_TEXT);
  EXPECT_EQ(Text(IDC_SERIAL), "55");
  EXPECT_TRUE(Enabled(IDC_AUTO));
  EXPECT_TRUE(Enabled(IDC_PREFIX));
  dlg->TypeText(IDC_SERIAL, "60");
  dlg->Click(IDC_MODE_TEXT);  // every click puts the kept start back
  EXPECT_EQ(Text(IDC_SERIAL), "55");
}

TEST_F(OptionsTest, StampModeWithSerialOffLeavesTheSerialAlone) {
  StartManual(0, 1);
  dlg->Click(IDC_MODE_STAMP);
  EXPECT_EQ(Text(IDC_SERIAL), "7");
}

TEST_F(OptionsTest, SortAndNoConfirmChangeNothingButThemselves) {
  StartManual();
  std::vector<ControlState> before(dlg->Controls().begin(), dlg->Controls().end());
  dlg->Click(IDC_SORT);
  dlg->Click(IDC_NO_CONFIRM);
  for (const ControlState& control : before) {
    const int id = control.source->id;
    if (id == IDC_STATIC) continue;
    SCOPED_TRACE(id);
    const int expectedCheck = id == IDC_SORT || id == IDC_NO_CONFIRM ? 1 - control.check : control.check;
    EXPECT_EQ(Checked(id), expectedCheck);
    EXPECT_EQ(Text(id), control.text);
    EXPECT_EQ(Enabled(id), control.enabled);
  }
}

TEST_F(OptionsTest, DisabledControlsIgnoreClicks) {
  StartManual();
  dlg->Click(IDC_MODE_STAMP);
  dlg->Click(IDC_AUTO);
  EXPECT_EQ(Checked(IDC_AUTO), 0);
  EXPECT_EQ(Text(IDC_AUTO), text::kManualLabel);
}

}  // namespace
}  // namespace kelvora::testing
