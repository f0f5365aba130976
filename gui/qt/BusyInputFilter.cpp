#include "gui/qt/BusyInputFilter.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "gui/qt/MainDialogWindow.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
      return true;
    default:
      return false;
  }
}

}  // namespace

BusyInputFilter::BusyInputFilter(MainDialogWindow& window, const CTarnwickDlg& dialog)
    : QObject(&window), m_window(window), m_dialog(dialog) {
  QCoreApplication::instance()->installEventFilter(this);
}

bool BusyInputFilter::eventFilter(QObject* watched, QEvent* event) {
  if (!m_dialog.IsRunning() || !IsUserInput(event->type()) || !watched->isWidgetType()) return false;
  const auto& widget = static_cast<const QWidget&>(*watched);
  if (widget.window() != &m_window) return false;
  return !AsksToStop(widget, *event);
}

bool BusyInputFilter::AsksToStop(const QWidget& widget, const QEvent& event) const {
  switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      // The dialog turns Esc into the close command.
      return static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return &widget == m_window.View().Widget(IDCANCEL);
    case QEvent::ContextMenu:
      // The window menu opens from the window's background, as it does between batches.
      return &widget == &m_window || widget.focusPolicy() == Qt::NoFocus;
    default:
      return false;
  }
}

}  // namespace kelvora::gui
