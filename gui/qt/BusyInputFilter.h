#pragma once

#include <QObject>

#include "app/TarnwickDlg.h"

namespace kelvora::gui {

class MainDialogWindow;

/// While the dialog runs a batch, the window takes no input but a request to stop: the close box and
/// Alt+F4 (close events), Esc, a click on the exit button, and the window menu (whose close item stops and
/// whose minimise item works). Every other click, key or wheel turn on the window is dropped rather than
/// kept for later, so nothing of it runs once the batch is over. Message boxes and menus are windows of
/// their own and keep their input.
class BusyInputFilter final : public QObject {
 public:
  BusyInputFilter(MainDialogWindow& window, const CTarnwickDlg& dialog);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool AsksToStop(const QWidget& widget, const QEvent& event) const;

  MainDialogWindow& m_window;
  const CTarnwickDlg& m_dialog;
};

}  // namespace kelvora::gui
