#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakeFileSystem.h"
#include "FakeHost.h"
#include "app/TarnwickDlg.h"
#include "res/Strings.h"
#include "res/resource.h"
#include "rules/SettingsRecord.h"

namespace kelvora::testing {

inline const std::string kSettingsPath = "./Kelvora.ini";
inline const std::string kSource = "/src";
inline const std::string kDest = "/dst";

/// The log line of a move.
inline std::string Move(const std::string& from, const std::string& to) { return "move " + from + " -> " + to; }

/// The completion box of a batch that renamed `count` files.
inline Box DoneBox(int count) {
  return {std::string(text::kDone) + "  " + std::to_string(count) + " 件", kIconInformation};
}

inline const Box kOverflowBox{std::string(text::kSerialOverflow) + "\n" + text::kSerialOverflowEnd, kIconNone};

/// A main dialog on a fake host and file system. Every box a test does not take is a failure.
class DialogFixture : public ::testing::Test {
 protected:
  FakeFileSystem fs;
  FakeHost host;
  std::unique_ptr<CTarnwickDlg> dlg;

  /// Settings naming the two fake folders, which exist.
  static SettingsRecord FolderSettings() {
    SettingsRecord record = DefaultSettings();
    record.sourceFolder = kSource;
    record.destFolder = kDest;
    return record;
  }

  /// Names that read easily: the typed text "IMG-", serial numbers from 1 and the old extension.
  static SettingsRecord TypedTextSettings() {
    SettingsRecord record = FolderSettings();
    record.prefixText = "IMG-";
    record.serialText = "1";
    record.serialOn = 1;
    record.appendOn = 0;
    record.autoCodeOn = 0;
    record.namingMode = 1;
    return record;
  }

  void Start(const SettingsRecord& record) {
    fs.files[kSettingsPath] = FormatSettingsLine(record);
    StartWithCurrentFiles();
  }

  void StartWithCurrentFiles() {
    fs.AddFolder(kSource);
    fs.AddFolder(kDest);
    dlg = std::make_unique<CTarnwickDlg>(host, fs, "kelvora");
    dlg->OnInitDialog();
  }

  std::string Text(int id) const { return dlg->GetDlgItemText(id); }
  int Checked(int id) const { return dlg->IsDlgButtonChecked(id); }
  bool Enabled(int id) const { return dlg->IsWindowEnabled(id); }
  bool ReadOnly(int id) const { return dlg->Control(id).readOnly; }
  /// The moves logged since the log was last cleared.
  std::vector<std::string> Moves() const {
    std::vector<std::string> moves;
    for (const std::string& line : fs.log)
      if (line.rfind("move ", 0) == 0) moves.push_back(line);
    return moves;
  }
  int Writes() const { return fs.Count("write "); }
  SettingsRecord Saved() const { return *ParseSettingsLine(fs.files.at(kSettingsPath)); }

  void TearDown() override { EXPECT_EQ(host.TakeBoxes(), Boxes{}) << "boxes nobody expected"; }
};

}  // namespace kelvora::testing
