#include "platform/dialog/Dialog.h"

#include <stdexcept>

namespace kelvora {

CDialog::CDialog(const DialogTemplate& dialogTemplate, DialogHost& host, std::string boxCaption)
    : m_template(dialogTemplate), m_host(host), m_boxCaption(std::move(boxCaption)) {
  m_controls.reserve(dialogTemplate.controls.size());
  for (const ControlTemplate& control : dialogTemplate.controls) {
    ControlState state{&control, control.text};
    state.readOnly = (control.style & kStyleReadOnly) != 0;
    state.visible = (control.style & kStyleHidden) == 0;
    m_controls.push_back(std::move(state));
  }
}

const ControlState& CDialog::Control(int id) const {
  for (const ControlState& control : m_controls)
    if (control.source->id == id) return control;
  throw std::out_of_range("no control with id " + std::to_string(id));
}

ControlState& CDialog::Mutable(int id) { return const_cast<ControlState&>(Control(id)); }

void CDialog::SetDlgItemText(int id, std::string_view text) {
  // A batch sets the count on every file; an unchanged text costs the host nothing.
  ControlState& control = Mutable(id);
  if (control.text == text) return;
  control.text = text;
  Changed(id);
}

std::string CDialog::GetDlgItemText(int id) const { return Control(id).text; }

void CDialog::CheckDlgButton(int id, int check) {
  Mutable(id).check = check;
  Changed(id);
}

int CDialog::IsDlgButtonChecked(int id) const { return Control(id).check; }

void CDialog::EnableWindow(int id, bool enable) {
  Mutable(id).enabled = enable;
  Changed(id);
}

bool CDialog::IsWindowEnabled(int id) const { return Control(id).enabled; }

void CDialog::SetReadOnly(int id, bool readOnly) {
  Mutable(id).readOnly = readOnly;
  Changed(id);
}

std::vector<const ControlState*> CDialog::RadioGroup(const ControlState* first) const {
  std::vector<const ControlState*> radios;
  for (const ControlState* control = first; control != m_controls.data() + m_controls.size(); ++control) {
    if (control != first && (control->source->style & kStyleGroup) != 0) break;
    if (control->source->kind == ControlKind::kRadioButton) radios.push_back(control);
  }
  return radios;
}

int CDialog::GetRadioGroup(int firstId) const {
  const auto radios = RadioGroup(&Control(firstId));
  for (std::size_t i = 0; i < radios.size(); ++i)
    if (radios[i]->check != 0) return static_cast<int>(i);
  return -1;
}

void CDialog::SetRadioGroup(int firstId, int value) {
  const auto radios = RadioGroup(&Control(firstId));
  for (std::size_t i = 0; i < radios.size(); ++i) CheckDlgButton(radios[i]->source->id, static_cast<int>(i) == value);
}

void CDialog::Click(int id) {
  const ControlState& control = Control(id);
  if (!AcceptsClick(id) || !control.enabled || !control.visible) return;
  if ((control.source->style & kStyleAuto) != 0) {
    if (control.source->kind == ControlKind::kCheckBox) CheckDlgButton(id, control.check == 0 ? 1 : 0);
    if (control.source->kind == ControlKind::kRadioButton) {
      // The group runs from the nearest control that starts one up to the next.
      const ControlState* start = &control;
      while (start != m_controls.data() && (start->source->style & kStyleGroup) == 0) --start;
      const auto radios = RadioGroup(start);
      for (const ControlState* radio : radios) CheckDlgButton(radio->source->id, radio == &control ? 1 : 0);
    }
  }
  OnCommand(id);
}

void CDialog::TypeText(int id, std::string_view text) {
  ControlState& control = Mutable(id);
  if (!AcceptsInput() || !control.enabled || control.readOnly) return;
  control.text = text;
  // The host already shows what was typed; only the dialog is told.
  OnControlChanged(id);
}

void CDialog::AfxMessageBox(const std::string& text, int icon) { m_host.MessageBox(text, icon, m_boxCaption); }

}  // namespace kelvora
