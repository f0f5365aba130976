#include "gui/qt/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>
#include <cstdint>

namespace kelvora::gui {

QFont TemplateFont(const DialogTemplate& dialogTemplate) {
  QFont font;
  // The template's face is a Windows font; the Noto CJK faces draw the same texts here.
  font.setFamilies({QString::fromUtf8(dialogTemplate.fontFace), QStringLiteral("MS PGothic"),
                    QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Noto Sans CJK")});
  font.setPointSize(dialogTemplate.pointSize);
  return font;
}

BaseUnits MeasureBaseUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  const int letters = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  return {(letters / 26 + 1) / 2, metrics.height()};
}

int MulDiv(int a, int b, int c) {
  return static_cast<int>((std::int64_t{a} * b + c / 2) / c);
}

QRect ToPixels(const DialogRect& rect, BaseUnits units) {
  return {MulDiv(rect.x, units.x, 4), MulDiv(rect.y, units.y, 8), MulDiv(rect.cx, units.x, 4),
          MulDiv(rect.cy, units.y, 8)};
}

QSize ToPixels(int cx, int cy, BaseUnits units) { return {MulDiv(cx, units.x, 4), MulDiv(cy, units.y, 8)}; }

}  // namespace kelvora::gui
