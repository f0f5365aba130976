#include "app/TarnwickDlg.h"
#include "res/resource.h"

namespace kelvora {

void CTarnwickDlg::OnExit() {
  if (IsDlgButtonChecked(IDC_DRAGDROP)) {
    // Disarm first, so that a code advanced by the disarm is saved.
    CheckDlgButton(IDC_DRAGDROP, 0);
    OnDragDropToggle();
  }
  if (IsDlgButtonChecked(IDC_SORT)) CheckDlgButton(IDC_SORT, 0);
  CopyFolderEdits();
  if (IsDlgButtonChecked(IDC_AUTO)) {
    m_settings.autoCodeOn = 1;
  } else {
    m_settings.autoCodeOn = 0;
    m_manualPrefix = GetDlgItemText(IDC_PREFIX);
    m_manualSerial = GetDlgItemText(IDC_SERIAL);
  }
  m_settings.serialOn = IsDlgButtonChecked(IDC_SERIAL_ON) ? 1 : 0;
  m_settings.prefixText = m_manualPrefix;
  m_settings.serialText = m_manualSerial;
  m_settings.appendOn = IsDlgButtonChecked(IDC_APPEND) ? 1 : 0;
  m_settings.noConfirm = IsDlgButtonChecked(IDC_NO_CONFIRM) ? 1 : 0;
  UpdateData(true);
  m_settings.namingMode = m_namingMode;
  CaptureWindowRect();
  WriteSettings();
  m_ended = true;
  Host().EndProcess(0);
}

}  // namespace kelvora
