// The plan of a folder batch: what the batch would do, taken from the same controls, folders and rules, but only asked
// of the file system, never done.
#include "app/TarnwickDlg.h"
#include "rules/SkippedNames.h"
#include "res/resource.h"

namespace kelvora {
namespace {

// How many destination entries a plan reads for each source entry, at most, rather than ask for each new name.
constexpr std::size_t kTakenNamesPerEntry = 4;

}  // namespace

std::optional<std::unordered_set<std::string>> CTarnwickDlg::TakenNames(const std::string& folder,
                                                                        std::size_t limit) const {
  // Where names may be folded, an empty folder is all a walk can vouch for.
  if (!m_fs.NamesAreExact(folder)) limit = 0;
  std::unordered_set<std::string> names;
  FindData entry;
  int error = 0;
  const std::unique_ptr<DirectoryWalk> walk = m_fs.OpenWalk(folder, entry, error);
  if (!walk) return std::nullopt;
  do {
    if (IsSelfOrParent(entry.name)) continue;
    if (names.size() == limit) return std::nullopt;
    names.insert(std::move(entry.name));
  } while ((error = walk->Next(entry)) == 0);
  if (error != kErrNoMoreFiles) return std::nullopt;
  return names;
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
  // Reading the destination's names once costs far less than asking for each new name, as long as it holds not
  // many more entries than the source; the plan itself keeps track of the names the batch gives.
  const std::optional<std::unordered_set<std::string>> taken = TakenNames(dest, kTakenNamesPerEntry * walked.size());
  plan.entries = kelvora::PlanFolderBatch(walked, inputs, [&](const std::string& path, const std::string& name) {
    return taken ? taken->contains(name) : m_fs.IdentifyFile(path, false).has_value();
  });
  return plan;
}

}  // namespace kelvora
