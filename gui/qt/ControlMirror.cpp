#include "gui/qt/ControlMirror.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QPalette>

namespace kelvora::gui {
namespace {

void SetButtonChecked(QAbstractButton& button, bool checked) {
  QButtonGroup* group = button.group();
  // An exclusive group would refuse to clear its last checked radio, but the model may select none.
  if (!checked && group && group->exclusive()) {
    group->setExclusive(false);
    button.setChecked(false);
    group->setExclusive(true);
    return;
  }
  button.setChecked(checked);
}

}  // namespace

void SetEditReadOnly(QLineEdit& edit, bool readOnly) {
  edit.setReadOnly(readOnly);
  QPalette palette;  // an empty palette inherits everything from the window again
  if (readOnly) palette.setBrush(QPalette::Base, edit.palette().brush(QPalette::Window));
  edit.setPalette(palette);
}

void MirrorControl(QWidget& widget, const ControlState& state) {
  const QString text = QString::fromUtf8(state.text.data(), static_cast<qsizetype>(state.text.size()));
  switch (state.source->kind) {
    case ControlKind::kPushButton:
      static_cast<QAbstractButton&>(widget).setText(text);
      break;
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton: {
      auto& button = static_cast<QAbstractButton&>(widget);
      button.setText(text);
      SetButtonChecked(button, state.check != 0);
      break;
    }
    case ControlKind::kEdit: {
      auto& edit = static_cast<QLineEdit&>(widget);
      // Rewriting an unchanged text would move the cursor of an edit being typed into.
      if (edit.text() != text) edit.setText(text);
      SetEditReadOnly(edit, state.readOnly);
      break;
    }
    case ControlKind::kStatic:
      static_cast<QLabel&>(widget).setText(text);
      break;
    case ControlKind::kGroupBox:
      static_cast<QGroupBox&>(widget).setTitle(text);
      break;
    case ControlKind::kIcon:
      break;
  }
  widget.setEnabled(state.enabled);
  widget.setVisible(state.visible);
}

}  // namespace kelvora::gui
