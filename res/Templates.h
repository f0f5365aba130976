#pragma once

#include "platform/dialog/DialogTemplate.h"

namespace kelvora {

/// The main window.
const DialogTemplate& MainDialogTemplate();

/// The About box.
const DialogTemplate& AboutDialogTemplate();

}  // namespace kelvora
