#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

#include "platform/dialog/DialogTemplate.h"

namespace kelvora::gui {

/// Pixels per four horizontal and per eight vertical dialog units, measured from a dialog's font, so that
/// a template keeps its proportions in whatever font the system supplies.
struct BaseUnits {
  int x = 0;
  int y = 0;
};

/// The font a template names, with the Japanese fonts of this system behind it.
QFont TemplateFont(const DialogTemplate& dialogTemplate);

/// Half the average width of the 52 Latin letters, rounded up, and the font's line height.
BaseUnits MeasureBaseUnits(const QFont& font);

/// a * b / c for non-negative values, rounded to the nearest integer (halves up).
int MulDiv(int a, int b, int c);

QRect ToPixels(const DialogRect& rect, BaseUnits units);
QSize ToPixels(int cx, int cy, BaseUnits units);

}  // namespace kelvora::gui
