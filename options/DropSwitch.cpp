#include "app/TarnwickDlg.h"
#include "res/resource.h"

namespace kelvora {
namespace {

// The controls that would change the folders or the naming options, locked while dropping is on so that
// every drop uses the same settings.
constexpr int kDropLockedControls[] = {IDOK,           IDC_MOVE_ONLY, IDC_BROWSE_SRC, IDC_BROWSE_DST,
                                       IDC_SRC_FOLDER, IDC_DST_FOLDER, IDC_MODE_STAMP, IDC_MODE_TEXT,
                                       IDC_AUTO,       IDC_SERIAL_ON, IDC_APPEND,     IDC_SORT};

}  // namespace

void CTarnwickDlg::OnDragDropToggle() {
  if (IsDlgButtonChecked(IDC_DRAGDROP)) {
    UpdateData(true);
    if (m_namingMode == kModeStamp) MakeStamp();  // every drop until disarming shares this stamp
    for (int id : kDropLockedControls) EnableWindow(id, false);
    m_droppedSinceArming = 0;
    Host().DragAcceptFiles(true);
    return;
  }
  // Only files renamed by drops since arming count: a folder batch before arming advanced the code itself.
  if (m_droppedSinceArming >= 1 && m_namingMode == kModeText && IsDlgButtonChecked(IDC_AUTO)) AdvanceAutoCode();
  for (int id : kDropLockedControls) {
    // Date-time mode keeps AUTO disabled, as its radio does.
    if (id == IDC_AUTO && m_namingMode == kModeStamp) continue;
    EnableWindow(id, true);
  }
  if (IsDlgButtonChecked(IDC_AUTO) && m_nextSerial != 1) {
    m_nextSerial = 1;
    SetDlgItemText(IDC_SERIAL, "1");
  }
  Host().DragAcceptFiles(false);
}

}  // namespace kelvora
