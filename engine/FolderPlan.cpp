// The plan of a folder batch: what the batch would do, taken from the same controls, folders and rules, but only asked
// of the file system, never done.
#include "app/TarnwickDlg.h"
#include "rules/SkippedNames.h"
#include "res/resource.h"

namespace kelvora {

bool CTarnwickDlg::FolderIsEmpty(const std::string& folder) const {
  FindData entry;
  int error = 0;
  const std::unique_ptr<DirectoryWalk> walk = m_fs.OpenWalk(folder, entry, error);
  if (!walk) return false;
  do
    if (!IsSelfOrParent(entry.name)) return false;
  while (walk->Next(entry) == 0);
  return true;
}

FolderPlan CTarnwickDlg::PlanFolderBatch(bool moveOnly) const {
  FolderPlan plan;
  const std::string source = EditFolder(IDC_SRC_FOLDER, m_settings.sourceFolder);
  const std::string dest = EditFolder(IDC_DST_FOLDER, m_settings.destFolder);
  std::optional<Refusal> refusal = FolderChecksRefusal(source, dest);

  std::vector<FindData> walked;
  if (!refusal) {
    FindData entry;
    int error = 0;
    if (const std::unique_ptr<DirectoryWalk> walk = m_fs.OpenWalk(source, entry, error)) {
      do walked.push_back(std::move(entry));
      while ((error = walk->Next(entry)) == 0);
      if (error != kErrNoMoreFiles) refusal = Refusal{NextEntryFailedText(error)};
    } else {
      refusal = WalkRefusal(error);
    }
  }
  if (refusal) {
    plan.refusal = refusal->text;
    return plan;
  }

  const RunOptions options = OptionsOfControls();
  const int namingMode = GetRadioGroup(IDC_MODE_STAMP);
  // In date-time mode the plan shows the stamp of a batch started now.
  const std::string stamp = namingMode == kModeStamp ? StampNow() : m_stampText;
  const std::string specified = options.useAutoCode ? m_manualPrefix : GetDlgItemText(IDC_PREFIX);
  FolderPlanInputs inputs;
  inputs.naming = NameInputs{namingMode, options, stamp, m_codeText, specified, moveOnly};
  inputs.nextSerial = options.useSerial ? SerialStart(GetDlgItemText(IDC_SERIAL)) : m_nextSerial;
  inputs.sorted = IsDlgButtonChecked(IDC_SORT) != 0;
  inputs.sourceFolder = source;
  inputs.destFolder = dest;
  inputs.pathSeparator = m_fs.PathSeparator();
  const std::vector<KeptFile> kept = KeptFilesNow();
  inputs.kept = kept;
  // In an empty destination no name is taken but those the batch itself gives, which the plan keeps track of:
  // its files need not be asked about one by one.
  const bool destEmpty = FolderIsEmpty(dest);
  plan.entries = kelvora::PlanFolderBatch(walked, inputs, [&](const std::string& path) {
    return !destEmpty && m_fs.IdentifyFile(path, false).has_value();
  });
  return plan;
}

}  // namespace kelvora
