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

/// The three ways a file reaches a rename: a sorted listing, a folder walk, and a drop.
enum class Road { kListed, kWalked, kDropped };

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

  /// The folder batch, or on kDropped a drop of everything in `source`; either way no walk is left open.
  void RunOn(Road road, const std::string& source) {
    if (road == Road::kDropped) {
      std::vector<std::string> paths;
      for (const std::string& name : fs.Names(source)) paths.push_back(source + "/" + name);
      FakeDrop drop(paths);
      dlg->OnDropFiles(drop);
      EXPECT_EQ(drop.finished, 1);
    } else {
      dlg->Click(IDOK);
    }
    EXPECT_EQ(fs.openWalks, 0) << "a walk was left open";
  }
  SettingsRecord Saved() const { return *ParseSettingsLine(fs.files.at(kSettingsPath)); }

  void TearDown() override { EXPECT_EQ(host.TakeBoxes(), Boxes{}) << "boxes nobody expected"; }
};

}  // namespace kelvora::testing
