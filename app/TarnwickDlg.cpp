#include "app/TarnwickDlg.h"
#include "platform/text/Decimal.h"

#include "res/Strings.h"
#include "res/Templates.h"
#include "res/resource.h"

namespace kelvora {

CTarnwickDlg::CTarnwickDlg(DialogHost& host, FileSystem& fileSystem, std::string boxCaption)
    : CDialog(MainDialogTemplate(), host, std::move(boxCaption)), m_fs(fileSystem) {}

bool CTarnwickDlg::OnInitDialog() {
  m_lastPickedFolder.clear();
  m_moveOnly = false;
  m_stampModeApplied = false;
  m_namingMode = 0;
  m_settingsPath = std::string(".") + m_fs.PathSeparator() + "Kelvora.ini";
  LoadSettings();
  m_manualPrefix = m_settings.prefixText;
  m_manualSerial = m_settings.serialText;
  ComposeCodeText();

  CheckDlgButton(IDC_AUTO, m_settings.autoCodeOn == 1);
  SetDlgItemText(IDC_AUTO, m_settings.autoCodeOn == 1 ? text::kAutoLabel : text::kManualLabel);
  CheckDlgButton(IDC_SERIAL_ON, m_settings.serialOn == 1);
  CheckDlgButton(IDC_APPEND, m_settings.appendOn == 1);
  SetDlgItemText(IDC_APPEND, m_settings.appendOn == 1 ? text::kAppendLabel : text::kNoAppendLabel);
  CheckDlgButton(IDC_NO_CONFIRM, m_settings.noConfirm == 1);
  SetDlgItemText(IDC_SRC_FOLDER, m_settings.sourceFolder);
  SetDlgItemText(IDC_DST_FOLDER, m_settings.destFolder);
  SetDlgItemText(IDC_SERIAL, IsDlgButtonChecked(IDC_AUTO) ? "1" : m_settings.serialText);
  m_nextSerial = LeadingInteger(m_settings.serialText);
  SetDlgItemText(IDC_OLD_NAME, text::kOldNameDisplay);
  SetDlgItemInt(IDC_COUNT, 0);
  SetDlgItemInt(IDC_SWAPS, 0);

  // The handlers bring the edits' states and texts in line with the check boxes, and keep serial numbering
  // and appending from both being off.
  OnAutoToggle();
  OnSerialToggle();
  OnAppendToggle();
  m_manualPrefix = m_settings.prefixText;
  m_manualSerial = m_settings.serialText;

  m_namingMode = m_settings.namingMode;
  UpdateData(false);
  if (m_namingMode == kModeStamp) OnModeStamp();
  if (m_namingMode == kModeText) OnModeText();

  Host().ShowWindowAt(m_settings.windowLeft, m_settings.windowTop);
  return true;
}

void CTarnwickDlg::OnSysCommand(int command) {
  if (!AcceptsInput()) return;
  if ((command & 0xFFF0) == IDM_ABOUTBOX) Host().ShowAboutBox();
  if ((command & 0xFFF0) == IDM_PREVIEW) Host().ShowPreview();
}

void CTarnwickDlg::OnControlChanged(int id) {
  switch (id) {
    case IDC_SRC_FOLDER:
    case IDC_DST_FOLDER:
    case IDC_PREFIX:
    case IDC_SERIAL:
    case IDC_AUTO:
    case IDC_SERIAL_ON:
    case IDC_APPEND:
    case IDC_MODE_STAMP:
    case IDC_MODE_TEXT:
    case IDC_SORT: PlanInputsChanged(); break;
    default: break;  // counts, labels and the drop switch change no plan
  }
}

void CTarnwickDlg::PlanInputsChanged() {
  // A batch changes controls on every file; the files it moves change the plan anyway, so the one notice at
  // its end stands for them all.
  if (!m_running) Host().PlanInputsChanged();
}

void CTarnwickDlg::OnCommand(int id) {
  // The host's turns and a batch's message boxes handle events while the batch runs: every way of closing
  // the window then asks it to stop, and nothing else may start until it is over. Nothing at all runs once
  // the program is ending.
  if (m_running && !m_ended) {
    if (id == IDCANCEL) m_stopRequested = m_exitRequested = true;
    return;
  }
  if (!AcceptsInput()) return;
  switch (id) {
    case IDOK: OnOK(); break;
    case IDCANCEL: OnExit(); break;
    case IDC_AUTO: OnAutoToggle(); break;
    case IDC_SERIAL_ON: OnSerialToggle(); break;
    case IDC_APPEND: OnAppendToggle(); break;
    case IDC_MOVE_ONLY: OnMoveOnly(); break;
    case IDC_RESET_DEFAULTS: ResetSettings(); break;
    case IDC_SAVE_SETTINGS: WriteSettings(); break;
    case IDC_BROWSE_SRC: OnBrowseSource(); break;
    case IDC_BROWSE_DST: OnBrowseDest(); break;
    case IDC_MODE_STAMP: OnModeStamp(); break;
    case IDC_MODE_TEXT: OnModeText(); break;
    case IDC_DRAGDROP: OnDragDropToggle(); break;
    default: break;  // the sort box is read when a batch starts; the other controls have no command
  }
}

void CTarnwickDlg::UpdateData(bool save) {
  if (save)
    m_namingMode = GetRadioGroup(IDC_MODE_STAMP);
  else
    SetRadioGroup(IDC_MODE_STAMP, m_namingMode);
}

void CTarnwickDlg::SetDlgItemInt(int id, std::int32_t value) { SetDlgItemText(id, std::to_string(value)); }

}  // namespace kelvora
