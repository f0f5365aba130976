#pragma once

#include <QLineEdit>
#include <QWidget>

#include "platform/dialog/Dialog.h"

namespace kelvora::gui {

/// Makes `widget` show the model's `state`: text, check, enabled, read-only and visible. Setting a state
/// never emits `clicked` or `textEdited`, so no handler runs.
void MirrorControl(QWidget& widget, const ControlState& state);

/// Read-only edits are drawn on the window's colour, as the user expects of a field they cannot type in.
void SetEditReadOnly(QLineEdit& edit, bool readOnly);

}  // namespace kelvora::gui
