#pragma once

#include <QIcon>

namespace kelvora::gui {

/// The program's icon (a folder with an arrow), in the sizes the window system picks from.
QIcon AppIcon();

}  // namespace kelvora::gui
