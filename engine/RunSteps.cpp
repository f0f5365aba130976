// Steps that the folder batch and the dropped-files batch share.
#include "app/TarnwickDlg.h"
#include "rules/SkippedNames.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora {

RunOptions CTarnwickDlg::StartRun() {
  CopyFolderEdits();
  const RunOptions options = ReadRunOptions();
  m_fileNames->entryCount = 0;
  m_retryCount = 0;
  m_stopped = false;
  m_serialLimitReached = false;
  m_reachedEnd = false;
  m_deniedPath.clear();
  m_deniedCount = 0;
  NoteKeptFiles();
  return options;
}

std::vector<KeptFile> CTarnwickDlg::KeptFilesNow() const {
  // The settings file is replaced by a new file at every save, so it is looked up afresh for every batch:
  // its name (a link, if it is one) and the file that name leads to.
  std::vector<KeptFile> kept;
  for (const bool throughLink : {false, true}) {
    if (const std::optional<FileId> id = m_fs.IdentifyFile(m_settingsPath, throughLink))
      kept.push_back({id->device, id->inode});
  }
  return kept;
}

void CTarnwickDlg::NoteKeptFiles() { m_keptFiles = KeptFilesNow(); }

bool CTarnwickDlg::IsKeptPath(const std::string& path) {
  if (m_keptFiles.empty()) return false;
  const std::optional<FileId> id = m_fs.IdentifyFile(path, false);
  return id && IsKeptFile(id->device, id->inode, m_keptFiles);
}

RunOptions CTarnwickDlg::OptionsOfControls() const {
  RunOptions options;
  options.useAutoCode = IsDlgButtonChecked(IDC_AUTO) != 0;
  options.useSerial = IsDlgButtonChecked(IDC_SERIAL_ON) != 0;
  options.appendWholeName = IsDlgButtonChecked(IDC_APPEND) != 0;
  return options;
}

RunOptions CTarnwickDlg::ReadRunOptions() {
  const RunOptions options = OptionsOfControls();
  if (!options.useAutoCode) m_manualPrefix = GetDlgItemText(IDC_PREFIX);
  if (options.useSerial) m_nextSerial = SerialStart(GetDlgItemText(IDC_SERIAL));
  return options;
}

NameInputs CTarnwickDlg::NameInputsFor(const RunOptions& options) const {
  return NameInputs{m_namingMode, options, m_stampText, m_codeText, m_manualPrefix, m_moveOnly};
}

std::string CTarnwickDlg::EditFolder(int editId, const std::string& recorded) const {
  // An emptied edit keeps the folder the record had, so the record's folders are never empty.
  std::string folder = GetDlgItemText(editId);
  return folder.empty() ? recorded : folder;
}

void CTarnwickDlg::CopyFolderEdits() {
  m_settings.sourceFolder = StorableText(EditFolder(IDC_SRC_FOLDER, m_settings.sourceFolder));
  m_settings.destFolder = StorableText(EditFolder(IDC_DST_FOLDER, m_settings.destFolder));
}

void CTarnwickDlg::CaptureWindowRect() {
  const WindowRect rect = Host().GetWindowRect();
  m_settings.windowLeft = rect.left;
  m_settings.windowTop = rect.top;
  m_settings.windowRight = rect.right;
  m_settings.windowBottom = rect.bottom;
}

void CTarnwickDlg::CaptureSettings(bool textsInEveryMode) {
  CopyFolderEdits();
  UpdateData(true);
  // After a batch in date-time mode the edits show "1" and a disabled prefix; the texts kept for
  // specified-text mode stay.
  if (textsInEveryMode || m_namingMode == kModeText) {
    if (IsDlgButtonChecked(IDC_AUTO)) {
      m_settings.autoCodeOn = 1;
    } else {
      m_settings.autoCodeOn = 0;
      m_manualPrefix = GetDlgItemText(IDC_PREFIX);
      m_manualSerial = GetDlgItemText(IDC_SERIAL);
    }
  }
  m_settings.serialOn = IsDlgButtonChecked(IDC_SERIAL_ON) ? 1 : 0;
  m_settings.prefixText = StorableText(m_manualPrefix);
  m_settings.serialText = StorableText(m_manualSerial);
  m_settings.appendOn = IsDlgButtonChecked(IDC_APPEND) ? 1 : 0;
  m_settings.noConfirm = IsDlgButtonChecked(IDC_NO_CONFIRM) ? 1 : 0;
  m_settings.namingMode = m_namingMode;
  CaptureWindowRect();
}

std::string CTarnwickDlg::StampNow() const { return m_fs.FormatLocalTime(m_fs.Now(), "%Y%m%d-%H%M%S"); }

void CTarnwickDlg::MakeStamp() { m_stampText = StampNow(); }

std::optional<Refusal> CTarnwickDlg::SameFolderRefusal(const std::string& source, const std::string& dest) const {
  // Two spellings of one folder ("a", "a/", a link to it) are the same folder too: renaming inside it would
  // meet the files already renamed.
  if (source != dest && !m_fs.SameFolder(source, dest)) return std::nullopt;
  return Refusal{text::kSameFolder, kIconExclamation};
}

std::optional<Refusal> CTarnwickDlg::MissingFolderRefusal(const std::string& folder, const char* missing,
                                                          const char* failed) const {
  FindData first;
  int error = 0;
  if (m_fs.OpenWalk(folder, first, error)) return std::nullopt;
  if (error == kErrPathNotFound) return Refusal{missing, kIconExclamation};
  return Refusal{failed, kIconHand};
}

std::optional<Refusal> CTarnwickDlg::FolderChecksRefusal(const std::string& source, const std::string& dest) const {
  if (auto refusal = SameFolderRefusal(source, dest)) return refusal;
  if (auto refusal = MissingFolderRefusal(source, text::kSourceMissing, text::kSourceSearchFailed)) return refusal;
  return MissingFolderRefusal(dest, text::kDestMissing, text::kDestSearchFailed);
}

bool CTarnwickDlg::Refused(const std::optional<Refusal>& refusal) {
  if (refusal) AfxMessageBox(refusal->text, refusal->icon);
  return refusal.has_value();
}

bool CTarnwickDlg::CheckSameFolder(const std::string& source, const std::string& dest) {
  return !Refused(SameFolderRefusal(source, dest));
}

bool CTarnwickDlg::CheckFolderExists(const std::string& folder, const char* missing, const char* failed) {
  return !Refused(MissingFolderRefusal(folder, missing, failed));
}

BatchEnd CTarnwickDlg::LastBatchEnd() const {
  if (!m_reachedEnd) return BatchEnd::kFailed;
  return m_stopped || m_serialLimitReached ? BatchEnd::kStopped : BatchEnd::kCompleted;
}

void CTarnwickDlg::FinishRun(RunEnd end) {
  if (end == RunEnd::kReached && !IsDlgButtonChecked(IDC_NO_CONFIRM) && !m_stopped)
    AfxMessageBox(std::string(text::kDone) + "  " + std::to_string(m_fileCount) + " 件", kIconInformation);
  CaptureSettings(false);
  WriteSettings();
}

}  // namespace kelvora
