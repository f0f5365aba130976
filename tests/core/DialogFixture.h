#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "FakeFileSystem.h"
#include "FakeHost.h"
#include "app/TarnwickDlg.h"
#include "res/resource.h"
#include "settings/SettingsRecord.h"

namespace kelvora::testing {

inline const std::string kSettingsPath = "./Kelvora.ini";
inline const std::string kSource = "/src";
inline const std::string kDest = "/dst";

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
  SettingsRecord Saved() const { return *ParseSettingsLine(fs.files.at(kSettingsPath)); }

  void TearDown() override { EXPECT_EQ(host.TakeBoxes(), Boxes{}) << "boxes nobody expected"; }
};

}  // namespace kelvora::testing
