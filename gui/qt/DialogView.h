#pragma once

#include <QDialog>
#include <QWidget>
#include <map>
#include <span>
#include <vector>

#include "gui/qt/DialogUnits.h"
#include "platform/dialog/DialogTemplate.h"

namespace kelvora::gui {

/// Draws a dialog template with widgets: gives the owner the template's caption, font, window buttons and
/// fixed size, and places one widget per control at its rectangle. Tab order is template order. The
/// widgets belong to the owner.
class DialogView {
 public:
  DialogView(QDialog& owner, const DialogTemplate& dialogTemplate);

  const DialogTemplate& Template() const { return m_template; }
  BaseUnits Units() const { return m_units; }
  /// The widgets in template order.
  std::span<QWidget* const> Widgets() const { return m_widgets; }
  /// The widget of the control with `id`; null for an id the template does not hold (or IDC_STATIC, which
  /// many controls share).
  QWidget* Widget(int id) const;

 private:
  QWidget* CreateControl(QDialog& owner, const ControlTemplate& control);

  const DialogTemplate& m_template;
  BaseUnits m_units;
  std::vector<QWidget*> m_widgets;
  std::map<int, QWidget*> m_byId;
};

}  // namespace kelvora::gui
