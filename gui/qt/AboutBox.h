#pragma once

#include <QDialog>

#include "gui/qt/DialogView.h"

namespace kelvora::gui {

/// The About box, drawn from its template: the icon, the version and copyright lines, and an OK button
/// that closes it.
class AboutBox final : public QDialog {
 public:
  explicit AboutBox(QWidget* parent);

  const DialogView& View() const { return m_view; }

 private:
  DialogView m_view;
};

}  // namespace kelvora::gui
