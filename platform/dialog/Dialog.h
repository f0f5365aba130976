#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialog/DialogHost.h"
#include "platform/dialog/DialogTemplate.h"

namespace kelvora {

/// The state of one control, as the handlers see it. Texts are bytes (UTF-8 on this system).
struct ControlState {
  const ControlTemplate* source;  ///< the control's entry in its template
  std::string text;
  int check = 0;  ///< 0 clear, 1 checked (check boxes and radio buttons)
  bool enabled = true;
  bool readOnly = false;
  bool visible = true;
};

/// A dialog drawn from a template: the state of its controls, the verbs that read and change them, and the
/// dispatch of user input to commands. Setting a state from code never runs a command; only Click() does.
class CDialog {
 public:
  CDialog(const DialogTemplate& dialogTemplate, DialogHost& host, std::string boxCaption);
  virtual ~CDialog() = default;
  CDialog(const CDialog&) = delete;
  CDialog& operator=(const CDialog&) = delete;

  const DialogTemplate& Template() const { return m_template; }
  /// The controls in template order.
  std::span<const ControlState> Controls() const { return m_controls; }
  const ControlState& Control(int id) const;

  void SetDlgItemText(int id, std::string_view text);
  std::string GetDlgItemText(int id) const;
  void CheckDlgButton(int id, int check);
  int IsDlgButtonChecked(int id) const;
  void EnableWindow(int id, bool enable);
  bool IsWindowEnabled(int id) const;
  void SetReadOnly(int id, bool readOnly);

  /// Index of the selected radio in the group that starts at `firstId` (radios only, up to the next control
  /// that starts a group); -1 when none is selected.
  int GetRadioGroup(int firstId) const;
  /// Selects radio number `value` of the group and clears the others; any other value clears them all.
  void SetRadioGroup(int firstId, int value);

  /// A click by the user (or its keyboard equivalent). An enabled automatic check box toggles and an
  /// automatic radio button selects itself; then the control's command runs. A disabled control ignores it.
  void Click(int id);
  /// The user typed into an edit: the model takes the text without running any command. Refused for a
  /// disabled or read-only edit.
  void TypeText(int id, std::string_view text);

  /// Runs command `id` (a button's id, or 2 for every way of closing the window).
  virtual void OnCommand(int id) = 0;
  /// False while the dialog takes no input at all; clicks and typing are then ignored.
  virtual bool AcceptsInput() const { return true; }
  /// Whether a click on control `id` is taken; by default whenever input is.
  virtual bool AcceptsClick(int /*id*/) const { return AcceptsInput(); }

 protected:
  DialogHost& Host() { return m_host; }
  /// Shows a modal box with the program's caption.
  void AfxMessageBox(const std::string& text, int icon);
  /// Told after the state of control `id` changed, by code or by the user's typing.
  virtual void OnControlChanged(int /*id*/) {}

 private:
  ControlState& Mutable(int id);
  std::vector<const ControlState*> RadioGroup(const ControlState* first) const;
  void Changed(int id) {
    m_host.ControlChanged(id);
    OnControlChanged(id);
  }

  const DialogTemplate& m_template;
  DialogHost& m_host;
  std::string m_boxCaption;
  std::vector<ControlState> m_controls;
};

}  // namespace kelvora
