#include "app/TarnwickDlg.h"
#include "rules/PathRule.h"
#include "rules/SkippedNames.h"
#include "rules/SortFileTable.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora {
namespace {

bool IsSkipped(const FindData& entry, std::span<const KeptFile> kept) {
  return WhyLeftInPlace(entry, kept) != LeftInPlace::kNo;
}

// Moves to another file system are grouped while the folder batch runs; whatever it did not complete is
// dropped when it ends, its sources left where they were.
class MoveGroup {
 public:
  explicit MoveGroup(FileSystem& fs) : m_fs(fs) { m_fs.GroupMoves(true); }
  ~MoveGroup() { m_fs.GroupMoves(false); }
  MoveGroup(const MoveGroup&) = delete;
  MoveGroup& operator=(const MoveGroup&) = delete;

 private:
  FileSystem& m_fs;
};

}  // namespace

Refusal CTarnwickDlg::WalkRefusal(int error) {
  if (error == kErrPathNotFound) return {text::kWalkMissing, kIconExclamation};
  return {text::kWalkFailed, kIconHand};
}

std::string CTarnwickDlg::NextEntryFailedText(int error) {
  return std::string(text::kNextEntryFailed) + " code = " + std::to_string(error);
}

void CTarnwickDlg::OnOK() {
  BeginBatch();
  RunFolderBatch();
  if (EndBatch()) OnExit();
}

void CTarnwickDlg::OnMoveOnly() {
  m_moveOnly = true;
  OnOK();
  m_moveOnly = false;
}

bool CTarnwickDlg::SerialLimitStops() {
  if (!SerialLimitReached(m_nextSerial)) return false;
  AfxMessageBox(std::string(text::kSerialOverflow) + "\n" + text::kSerialOverflowEnd, kIconNone);
  m_nextSerial = 1;
  m_serialLimitReached = true;
  return true;
}

void CTarnwickDlg::RunFolderBatch() {
  const RunOptions options = StartRun();
  const std::string source = EditFolder(IDC_SRC_FOLDER, m_settings.sourceFolder);
  const std::string dest = EditFolder(IDC_DST_FOLDER, m_settings.destFolder);
  if (Refused(FolderChecksRefusal(source, dest))) return;
  m_fs.RemoveStaleMoveCopies(dest);
  UpdateData(true);
  if (m_namingMode == kModeStamp) MakeStamp();
  const MoveGroup group(m_fs);

  bool firstWalk = true;
  for (;;) {
    FindData entry;
    int error = 0;
    std::unique_ptr<DirectoryWalk> walk = m_fs.OpenWalk(source, entry, error);
    if (!walk) {
      Refused(WalkRefusal(error));
      // Only a reopened walk has renamed files before it; a first one has not yet counted.
      if (!firstWalk) EndFolderRun(options, RunEnd::kCutShort);
      return;
    }
    // A restart keeps the count of the files renamed before it.
    if (firstWalk) m_fileCount = 0;
    firstWalk = false;
    RenameOutcome outcome = IsDlgButtonChecked(IDC_SORT) ? RenameListed(options, source, dest, walk, entry)
                                                         : RenameWhileWalking(options, source, dest, walk, entry);
    if (const std::optional<RenameOutcome> failed = CompleteGroupedMoves(RunKind::kFolder, options, &walk))
      outcome = *failed;
    switch (outcome) {
      case RenameOutcome::kRetry: continue;
      case RenameOutcome::kAbort:
        walk.reset();
        EndFolderRun(options, RunEnd::kCutShort);
        return;
      case RenameOutcome::kNext:
      case RenameOutcome::kStop:
        walk.reset();
        EndFolderRun(options, RunEnd::kReached);
        return;
    }
  }
}

RenameOutcome CTarnwickDlg::RenameListed(const RunOptions& options, const std::string& source,
                                         const std::string& dest, std::unique_ptr<DirectoryWalk>& walk,
                                         FindData& entry) {
  FileNameTable& table = *m_fileNames;
  table.entryCount = 0;
  // At most 1000 directory entries are looked at, skipped ones included, so the table never overflows.
  for (int step = 0;;) {
    if (!IsSkipped(entry, m_keptFiles)) table.entries[table.entryCount++] = entry.name;
    const int error = walk->Next(entry);
    if (error == kErrNoMoreFiles) break;
    if (error != 0) {
      AfxMessageBox(NextEntryFailedText(error), kIconHand);
      return RenameOutcome::kAbort;
    }
    if (++step >= kMaxTableEntries) break;
  }
  if (table.entryCount == 0) return RenameOutcome::kNext;
  SetDlgItemInt(IDC_SWAPS, 0);
  const std::span<std::string> names(table.entries.data(), static_cast<std::size_t>(table.entryCount));
  SetDlgItemInt(IDC_SWAPS, SortFileTable(names));
  SetDlgItemInt(IDC_COUNT, 0);
  for (const std::string& name : names) {
    const RenameOutcome outcome = RenameFolderEntry(options, source, dest, name, walk);
    if (outcome != RenameOutcome::kNext) return outcome;
  }
  return RenameOutcome::kNext;
}

RenameOutcome CTarnwickDlg::RenameWhileWalking(const RunOptions& options, const std::string& source,
                                               const std::string& dest, std::unique_ptr<DirectoryWalk>& walk,
                                               FindData& entry) {
  for (;;) {
    if (!IsSkipped(entry, m_keptFiles)) {
      SetDlgItemInt(IDC_COUNT, 0);
      const RenameOutcome outcome = RenameFolderEntry(options, source, dest, entry.name, walk);
      if (outcome != RenameOutcome::kNext) return outcome;
    } else if (UserStopsBatch()) {
      // A folder of many subfolders and few files still gives the window its turns.
      return StopForUser();
    }
    const int error = walk->Next(entry);
    if (error == kErrNoMoreFiles) return RenameOutcome::kNext;
    if (error != 0) {
      AfxMessageBox(NextEntryFailedText(error), kIconNone);
      return RenameOutcome::kAbort;
    }
  }
}

RenameOutcome CTarnwickDlg::RenameFolderEntry(const RunOptions& options, const std::string& source,
                                              const std::string& dest, const std::string& oldName,
                                              std::unique_ptr<DirectoryWalk>& walk) {
  if (UserStopsBatch()) return StopForUser();
  // Also before the serial limit's message, which ends the batch.
  if (GroupedMovesDue() || SerialLimitReached(m_nextSerial)) {
    if (const std::optional<RenameOutcome> failed = CompleteGroupedMoves(RunKind::kFolder, options, &walk))
      return *failed;
  }
  if (SerialLimitStops()) return RenameOutcome::kStop;
  UpdateData(true);
  const std::string newName = ComposeNewName(NameInputsFor(options), oldName, m_nextSerial);
  return RenameEntry(RunKind::kFolder, options, JoinPath(source, oldName, m_fs.PathSeparator()),
                     JoinPath(dest, newName, m_fs.PathSeparator()), &walk);
}

void CTarnwickDlg::EndFolderRun(const RunOptions& options, RunEnd end) {
  m_reachedEnd = end == RunEnd::kReached;
  if (m_fileCount == 0) {
    if (end == RunEnd::kCutShort) return;
    AfxMessageBox(text::kNoFiles, kIconNone);
    SetDlgItemInt(IDC_COUNT, 0);
    SetDlgItemInt(IDC_SWAPS, 0);
    return;
  }
  if (m_namingMode == kModeText && options.useAutoCode && !m_moveOnly) AdvanceAutoCode();
  SetDlgItemInt(IDC_COUNT, m_fileCount);
  if (!m_moveOnly) ShowNextSerial(options);
  FinishRun(end);
}

}  // namespace kelvora
