#include "app/TarnwickDlg.h"
#include "res/Strings.h"

namespace kelvora {

void CTarnwickDlg::LoadSettings() {
  const ReadLineResult read = m_fs.ReadFirstLine(m_settingsPath, kSettingsLineBuffer - 1);
  std::optional<SettingsRecord> record;
  if (read.status == ReadLineResult::kOk) record = ParseSettingsLine(read.line);
  if (record) {
    m_settings = *record;
    return;
  }
  // A missing file, and a line that cannot be read or holds too few fields, start from the defaults, which
  // are written at once.
  if (read.status == ReadLineResult::kOpenFailed)
    AfxMessageBox(text::kSettingsMissing, kIconExclamation);
  else
    AfxMessageBox(text::kSettingsUnreadable, kIconHand);
  ResetSettings();
  WriteSettings();
}

void CTarnwickDlg::ResetSettings() { m_settings = DefaultSettings(); }

void CTarnwickDlg::WriteSettings() {
  const ReplaceFileResult result = m_fs.ReplaceFile(m_settingsPath, FormatSettingsLine(m_settings));
  m_settingsWriteFailed = result != ReplaceFileResult::kOk;
  switch (result) {
    case ReplaceFileResult::kOk: break;
    case ReplaceFileResult::kOpenFailed: AfxMessageBox(text::kSettingsOpenFailed, kIconHand); break;
    case ReplaceFileResult::kWriteFailed: AfxMessageBox(text::kSettingsWriteFailed, kIconHand); break;
  }
}

}  // namespace kelvora
