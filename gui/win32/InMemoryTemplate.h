#pragma once

#include <windows.h>

#include <vector>

#include "platform/dialog/DialogTemplate.h"

namespace kelvora::gui {

/// Window styles of a dialog's control as the template's style facts and kind give them.
DWORD ControlWindowStyle(const ControlTemplate& control);

/// `dialog` as a DLGTEMPLATEEX in memory, ready for CreateDialogIndirectParamW and DialogBoxIndirectParamW:
/// dialog units, styles, ids, texts (the ANSI code page's bytes made wide), tab order and font as the
/// template holds them. An icon control takes the program's icon resource.
std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog);

}  // namespace kelvora::gui
