#include "app/TarnwickDlg.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora {

void CTarnwickDlg::OnAutoToggle() {
  if (IsDlgButtonChecked(IDC_AUTO)) {
    SetDlgItemText(IDC_AUTO, text::kAutoLabel);
    SetReadOnly(IDC_PREFIX, true);
    // The typed texts are kept while the edits show the code and a fresh serial start.
    m_manualPrefix = GetDlgItemText(IDC_PREFIX);
    m_manualSerial = GetDlgItemText(IDC_SERIAL);
    SetDlgItemText(IDC_PREFIX, m_codeText);
    SetDlgItemText(IDC_SERIAL, "1");
  } else {
    SetDlgItemText(IDC_AUTO, text::kManualLabel);
    EnableWindow(IDC_PREFIX, true);
    SetReadOnly(IDC_PREFIX, false);
    SetDlgItemText(IDC_PREFIX, m_manualPrefix);
    SetDlgItemText(IDC_SERIAL, m_manualSerial);
  }
}

void CTarnwickDlg::OnSerialToggle() {
  if (IsDlgButtonChecked(IDC_SERIAL_ON)) {
    SetReadOnly(IDC_SERIAL, false);
  } else {
    // A name needs the serial number or the old name: both off would give every file the same name.
    SetReadOnly(IDC_SERIAL, true);
    CheckDlgButton(IDC_APPEND, 1);
    SetDlgItemText(IDC_APPEND, text::kAppendLabel);
  }
}

void CTarnwickDlg::OnAppendToggle() {
  if (IsDlgButtonChecked(IDC_APPEND)) {
    SetDlgItemText(IDC_APPEND, text::kAppendLabel);
  } else {
    SetDlgItemText(IDC_APPEND, text::kNoAppendLabel);
    CheckDlgButton(IDC_SERIAL_ON, 1);
    SetReadOnly(IDC_SERIAL, false);
  }
}

void CTarnwickDlg::OnModeStamp() {
  if (m_stampModeApplied) return;  // a second click must not overwrite the kept serial start with "1"
  if (!IsDlgButtonChecked(IDC_AUTO) && IsDlgButtonChecked(IDC_SERIAL_ON)) {
    m_manualSerial = GetDlgItemText(IDC_SERIAL);
    SetDlgItemText(IDC_SERIAL, "1");
  }
  EnableWindow(IDC_AUTO, false);
  EnableWindow(IDC_PREFIX, false);
  UpdateData(true);
  m_stampModeApplied = true;
}

void CTarnwickDlg::OnModeText() {
  m_stampModeApplied = false;
  if (!IsDlgButtonChecked(IDC_AUTO)) SetDlgItemText(IDC_SERIAL, m_manualSerial);
  EnableWindow(IDC_AUTO, true);
  EnableWindow(IDC_PREFIX, true);
  UpdateData(true);
}

}  // namespace kelvora
