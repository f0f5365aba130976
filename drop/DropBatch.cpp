#include "app/TarnwickDlg.h"
#include "rules/PathRule.h"
#include "rules/SkippedNames.h"
#include "rules/SortFileTable.h"
#include "platform/text/Multibyte.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora {
void CTarnwickDlg::OnDropFiles(DropObject& drop) {
  // A drop is taken only while dropping is on and no batch is running (a batch's message box may be open).
  bool stop = false;
  if (AcceptsInput() && IsDlgButtonChecked(IDC_DRAGDROP)) {
    BeginBatch();
    RunDropBatch(drop);
    stop = EndBatch();
  }
  drop.Finish();
  if (stop) OnExit();
}

void CTarnwickDlg::RunDropBatch(DropObject& drop) {
  const RunOptions options = StartRun();
  const std::string source = EditFolder(IDC_SRC_FOLDER, m_settings.sourceFolder);
  const std::string dest = EditFolder(IDC_DST_FOLDER, m_settings.destFolder);
  if (!CheckSameFolder(source, dest)) return;
  if (!CheckFolderExists(dest, text::kDestMissing, text::kDestSearchFailed)) return;
  m_fs.RemoveStaleMoveCopies(dest);
  m_fileCount = 0;
  CollectDropped(drop);

  FileNameTable& table = *m_fileNames;
  const auto used = static_cast<std::size_t>(table.entryCount);
  SetDlgItemInt(IDC_SWAPS, 0);
  if (used >= 1) {
    SetDlgItemInt(IDC_SWAPS, SortFileTable(std::span(table.entries.data(), used),
                                           std::span(m_dropPaths->entries.data(), used)));
  }
  const bool completed = RenameDropped(options, dest);
  // The code advances once when dropping is switched off if any drop since arming used it.
  m_droppedSinceArming += m_fileCount;
  EndDropRun(completed ? RunEnd::kReached : RunEnd::kCutShort);
}

void CTarnwickDlg::CollectDropped(DropObject& drop) {
  FileNameTable& table = *m_fileNames;
  const unsigned count = std::min(drop.Count(), static_cast<unsigned>(kMaxTableEntries));
  for (unsigned i = 0; i < count; ++i) {
    std::string path = drop.Path(i);
    const std::size_t separator = FindLastChar(path, m_fs.PathSeparator(), kSystemCodePage);
    std::string name = separator == std::string::npos ? path : path.substr(separator + 1);
    // An item without a name (a path ending in a separator) cannot be renamed.
    if (name.empty() || IsSkippedName(name) || IsKeptPath(path)) continue;
    table.entries[table.entryCount] = std::move(name);
    m_dropPaths->entries[table.entryCount] = std::move(path);
    ++table.entryCount;
  }
}

bool CTarnwickDlg::RenameDropped(const RunOptions& options, const std::string& dest) {
  const FileNameTable& table = *m_fileNames;
  for (int k = 0; k < table.entryCount;) {
    SetDlgItemInt(IDC_COUNT, 0);
    if (UserStopsBatch()) {
      StopForUser();
      return true;
    }
    if (SerialLimitStops()) return true;
    UpdateData(true);
    const std::string newName = ComposeNewName(NameInputsFor(options), table.entries[k], m_nextSerial);
    const std::string newPath = JoinPath(dest, newName, m_fs.PathSeparator());
    switch (RenameEntry(RunKind::kDropped, options, m_dropPaths->entries[k], newPath)) {
      case RenameOutcome::kNext: ++k; break;
      case RenameOutcome::kRetry: break;
      case RenameOutcome::kStop: return true;
      case RenameOutcome::kAbort: return false;
    }
  }
  return true;
}

void CTarnwickDlg::EndDropRun(RunEnd end) {
  m_reachedEnd = end == RunEnd::kReached;
  if (m_fileCount == 0) {
    if (end == RunEnd::kCutShort) return;
    AfxMessageBox(text::kNoFiles, kIconNone);
    SetDlgItemInt(IDC_COUNT, 0);
    SetDlgItemInt(IDC_SWAPS, 0);
    return;
  }
  SetDlgItemInt(IDC_COUNT, m_fileCount);
  // Drops number on from one to the next while dropping stays on, in every mode.
  SetDlgItemInt(IDC_SERIAL, m_nextSerial);
  FinishRun(end);
}

}  // namespace kelvora
