#include <algorithm>
#include <map>

#include "DialogFixture.h"
#include "rules/AutoCode.h"
#include "res/Strings.h"

namespace kelvora::testing {
namespace {

constexpr int kLocked[] = {IDOK,           IDC_MOVE_ONLY,  IDC_BROWSE_SRC, IDC_BROWSE_DST,
                           IDC_SRC_FOLDER, IDC_DST_FOLDER, IDC_MODE_STAMP, IDC_MODE_TEXT,
                           IDC_AUTO,       IDC_SERIAL_ON,  IDC_APPEND,     IDC_SORT};

bool IsLocked(int id) { return std::find(std::begin(kLocked), std::end(kLocked), id) != std::end(kLocked); }

class DropSwitchTest : public DialogFixture {
 protected:
  static SettingsRecord Record(int namingMode, int autoCodeOn) {
    SettingsRecord record = FolderSettings();
    record.prefixText = "IMG-";
    record.serialText = "1";
    record.serialOn = 1;
    record.appendOn = 0;
    record.autoCodeOn = autoCodeOn;
    record.namingMode = namingMode;
    return record;
  }

  std::map<int, bool> EnabledStates() const {
    std::map<int, bool> states;
    for (const ControlState& control : dlg->Controls())
      if (control.source->id != IDC_STATIC) states[control.source->id] = control.enabled;
    return states;
  }

  void Toggle() { dlg->Click(IDC_DRAGDROP); }

  void Drop(const std::vector<std::string>& names) {
    std::vector<std::string> paths;
    for (const std::string& name : names) {
      if (name != "Thumbs.db") fs.AddFile("/in", name);
      paths.push_back("/in/" + name);
    }
    FakeDrop drop(paths);
    dlg->OnDropFiles(drop);
  }
};

TEST_F(DropSwitchTest, ArmingLocksExactlyTheTwelveControlsAndDisarmingGivesThemBack) {
  Start(Record(kModeText, 0));
  const std::map<int, bool> before = EnabledStates();
  for (const int id : {IDC_PREFIX, IDC_SERIAL, IDC_NO_CONFIRM, IDC_DRAGDROP, IDCANCEL}) ASSERT_TRUE(before.at(id));

  Toggle();
  EXPECT_TRUE(host.acceptsDrops);
  for (const auto& [id, enabled] : EnabledStates()) {
    SCOPED_TRACE(id);
    EXPECT_EQ(enabled, IsLocked(id) ? false : before.at(id));
  }

  Toggle();
  EXPECT_FALSE(host.acceptsDrops);
  EXPECT_EQ(EnabledStates(), before);
}

TEST_F(DropSwitchTest, LockedCommandsCannotRunWhileArmed) {
  Start(Record(kModeText, 0));
  fs.AddFile(kSource, "a.jpg");
  host.pickerAnswers.push_back("/elsewhere");
  Toggle();
  dlg->Click(IDOK);
  dlg->Click(IDC_MOVE_ONLY);
  dlg->Click(IDC_BROWSE_SRC);
  dlg->Click(IDC_MODE_STAMP);
  EXPECT_EQ(fs.Names(kSource), std::vector<std::string>{"a.jpg"});
  EXPECT_EQ(host.pickerTitles, std::vector<std::string>{});
  EXPECT_EQ(dlg->GetRadioGroup(IDC_MODE_STAMP), 1);
}

TEST_F(DropSwitchTest, DisarmingInDateTimeModeKeepsAutoDisabled) {
  Start(Record(kModeStamp, 0));
  const std::map<int, bool> before = EnabledStates();
  ASSERT_FALSE(before.at(IDC_AUTO));
  Toggle();
  Toggle();
  EXPECT_EQ(EnabledStates(), before);
}

TEST_F(DropSwitchTest, StampIsTakenOnArmingInDateTimeModeOnly) {
  Start(Record(kModeText, 0));
  Toggle();
  EXPECT_EQ(dlg->StampText(), "");
  Toggle();
  dlg->Click(IDC_MODE_STAMP);
  Toggle();
  EXPECT_EQ(dlg->StampText(), "20240131-235959");
  Toggle();
  dlg->Click(IDC_MODE_TEXT);
  fs.now += 3600;
  Toggle();
  EXPECT_EQ(dlg->StampText(), "20240131-235959");
}

// ---------------------------------------------------------------------------------------------------------
// The advance of the code when dropping is switched off.

struct DisarmRow {
  const char* name;
  int namingMode;
  int autoCodeOn;
  bool folderRunFirst;
  std::vector<std::vector<std::string>> drops;
  std::size_t emptyDrops;  // drops that renamed nothing, each with its box
  const char* code;
};

class DisarmAdvance : public DropSwitchTest, public ::testing::WithParamInterface<DisarmRow> {};

TEST_P(DisarmAdvance, CodeAdvancesOnceWhenDropsSinceArmingUsedIt) {
  const DisarmRow& row = GetParam();
  SettingsRecord record = Record(row.namingMode, row.autoCodeOn);
  record.noConfirm = 1;
  Start(record);
  if (row.folderRunFirst) {
    fs.AddFile(kSource, "first.jpg");
    dlg->Click(IDOK);
  }
  Toggle();
  for (const auto& names : row.drops) Drop(names);
  Toggle();
  EXPECT_EQ(host.TakeBoxes().size(), row.emptyDrops);
  EXPECT_EQ(dlg->CodeText(), row.code);
  if (row.autoCodeOn && row.namingMode == kModeText) {
    EXPECT_EQ(Text(IDC_PREFIX), row.code);
  }
  // Arming again and switching off with nothing dropped leaves the code alone.
  Toggle();
  Toggle();
  EXPECT_EQ(dlg->CodeText(), row.code);
}

using Drops = std::vector<std::vector<std::string>>;

INSTANTIATE_TEST_SUITE_P(
    Cases, DisarmAdvance,
    ::testing::Values(DisarmRow{"AutoOneDrop", kModeText, 1, false, Drops{{"a.jpg"}}, 0, "A00000A"},
                      DisarmRow{"AutoSeveralDrops", kModeText, 1, false, Drops{{"a.jpg"}, {"b.jpg", "c.jpg"}}, 0,
                                "A00000A"},
                      DisarmRow{"AutoLastDropRenamedNothing", kModeText, 1, false, Drops{{"a.jpg"}, {"Thumbs.db"}},
                                1, "A00000A"},
                      DisarmRow{"AutoNoDropRenamedAnything", kModeText, 1, false, Drops{{"Thumbs.db"}}, 1,
                                "A000000"},
                      DisarmRow{"AutoNothingDroppedAfterAFolderRun", kModeText, 1, true, Drops{}, 0, "A00000A"},
                      DisarmRow{"TypedText", kModeText, 0, false, Drops{{"a.jpg"}}, 0, "A000000"},
                      DisarmRow{"DateTimeWithAutoChecked", kModeStamp, 1, false, Drops{{"a.jpg"}}, 0, "A000000"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DropSwitchTest, DisarmingWithAutoStartsTheSerialAgainAtOne) {
  for (const int autoCodeOn : {1, 0}) {
    SCOPED_TRACE(autoCodeOn);
    fs = FakeFileSystem{};
    SettingsRecord record = Record(kModeText, autoCodeOn);
    record.noConfirm = 1;
    Start(record);
    Toggle();
    Drop({"a.jpg", "b.jpg"});
    EXPECT_EQ(Text(IDC_SERIAL), "3");
    Toggle();
    EXPECT_EQ(Text(IDC_SERIAL), autoCodeOn ? "1" : "3");
    EXPECT_EQ(dlg->NextSerial(), autoCodeOn ? 1 : 3);
  }
}

TEST_F(DropSwitchTest, ExitWhileArmedDisarmsFirstAndSavesTheAdvancedCode) {
  SettingsRecord record = Record(kModeText, 1);
  record.noConfirm = 1;
  Start(record);
  Toggle();
  Drop({"a.jpg"});
  dlg->OnCommand(IDCANCEL);
  EXPECT_EQ(host.endStatus, 0);
  EXPECT_EQ(Checked(IDC_DRAGDROP), 0);
  EXPECT_FALSE(host.acceptsDrops);
  EXPECT_EQ(ComposeCodeText(Saved().codeChars), "A00000A");
}

}  // namespace
}  // namespace kelvora::testing
