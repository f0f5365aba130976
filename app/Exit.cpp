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
  // The exit takes the edits' texts in date-time mode too.
  CaptureSettings(true);
  WriteSettings();
  m_ended = true;
  Host().EndProcess(0);
}

}  // namespace kelvora
