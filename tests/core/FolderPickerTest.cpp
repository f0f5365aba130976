#include "DialogFixture.h"

namespace kelvora::testing {
namespace {

struct PickerRow {
  const char* name;
  int button;
  const char* title;
  std::string SettingsRecord::*field;
  int edit;
  std::string SettingsRecord::*otherField;
  int otherEdit;
};

class FolderPicker : public DialogFixture, public ::testing::WithParamInterface<PickerRow> {};

TEST_P(FolderPicker, ConfirmedFolderGoesIntoTheRecordAndTheEditOnly) {
  const PickerRow& row = GetParam();
  Start(FolderSettings());
  dlg->TypeText(row.edit, "/typed/before");
  const std::string other = Text(row.otherEdit);
  host.pickerAnswers.push_back("/photos/100%/%s");
  dlg->Click(row.button);
  EXPECT_EQ(host.pickerTitles, std::vector<std::string>{row.title});
  EXPECT_EQ(dlg->Settings().*row.field, "/photos/100%/%s");
  EXPECT_EQ(Text(row.edit), "/photos/100%/%s");
  EXPECT_EQ(Text(row.otherEdit), other);
  EXPECT_EQ(dlg->Settings().*row.otherField, other);
  dlg->OnCommand(IDCANCEL);
  EXPECT_EQ(Saved().*row.field, "/photos/100%/%s");
}

TEST_P(FolderPicker, OpensAtTheFolderTheEditNamesWhenItExists) {
  const PickerRow& row = GetParam();
  Start(FolderSettings());
  fs.AddFolder("/photos/2024");
  const std::string recorded = dlg->Settings().*row.field;
  const std::pair<std::string, std::string> cases[] = {
      {"/photos/2024", "/photos/2024"},  // an existing folder
      {"/photos/gone", ""},              // a folder that does not exist: where the system opens it
      {"", recorded},                    // an empty edit: the recorded folder the batch would use
  };
  for (const auto& [typed, start] : cases) {
    SCOPED_TRACE(typed);
    dlg->TypeText(row.edit, typed);
    dlg->Click(row.button);
    EXPECT_EQ(host.pickerStarts.back(), start);
  }
}

TEST_P(FolderPicker, CancelChangesNothing) {
  const PickerRow& row = GetParam();
  Start(FolderSettings());
  // Cancels before any folder was confirmed, after one was confirmed with the other button, and after one
  // was confirmed with this one; an empty answer counts as a cancel.
  const int otherButton = row.button == IDC_BROWSE_SRC ? IDC_BROWSE_DST : IDC_BROWSE_SRC;
  const std::pair<int, std::optional<std::string>> steps[] = {
      {row.button, std::nullopt},     {otherButton, "/other/pick"}, {row.button, std::nullopt},
      {row.button, "/this/pick"},     {row.button, std::nullopt},   {row.button, ""}};
  std::string expected = dlg->Settings().*row.field;
  for (const auto& [button, answer] : steps) {
    SCOPED_TRACE(answer.value_or("(cancel)"));
    host.pickerAnswers.push_back(answer);
    dlg->Click(button);
    if (button == row.button && answer && !answer->empty()) expected = *answer;
    EXPECT_EQ(dlg->Settings().*row.field, expected);
    EXPECT_EQ(Text(row.edit), expected);
  }
  EXPECT_EQ(dlg->Settings().*row.otherField, "/other/pick");
}

INSTANTIATE_TEST_SUITE_P(Buttons, FolderPicker,
                         ::testing::Values(PickerRow{"Source", IDC_BROWSE_SRC, "変換対象フォルダーを選択してください",
                                                     &SettingsRecord::sourceFolder, IDC_SRC_FOLDER,
                                                     &SettingsRecord::destFolder, IDC_DST_FOLDER},
                                           PickerRow{"Destination", IDC_BROWSE_DST, "移動先フォルダーを選択してください",
                                                     &SettingsRecord::destFolder, IDC_DST_FOLDER,
                                                     &SettingsRecord::sourceFolder, IDC_SRC_FOLDER}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kelvora::testing
