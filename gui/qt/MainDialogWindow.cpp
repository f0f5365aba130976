#include "gui/qt/MainDialogWindow.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QShortcut>

#include "gui/qt/ControlMirror.h"
#include "gui/qt/MimeDrop.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora::gui {

MainDialogWindow::MainDialogWindow(CTarnwickDlg& dialog)
    : m_dialog(dialog),
      m_view(*this, dialog.Template()),
      m_menu(new QMenu(this)),
      m_busyInput(new BusyInputFilter(*this, dialog)) {
  setAcceptDrops(false);  // until the user switches dropping on
  for (const ControlState& control : dialog.Controls()) {
    QWidget* widget = m_view.Widget(control.source->id);
    if (!widget) continue;
    MirrorControl(*widget, control);
    ConnectInput(control.source->id, *widget);
  }
  BuildWindowMenu();
}

// The base class still sends events while it tears the window down (hiding, deactivation), and the dialog the
// filter reads may already be gone by then, so the filter goes first.
MainDialogWindow::~MainDialogWindow() { delete m_busyInput; }

void MainDialogWindow::Mirror(int id) {
  if (QWidget* widget = m_view.Widget(id)) MirrorControl(*widget, m_dialog.Control(id));
}

void MainDialogWindow::FocusFirstControl() {
  for (QWidget* widget : m_view.Widgets()) {
    if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() && !widget->isHidden()) {
      widget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

void MainDialogWindow::ConnectInput(int id, QWidget& widget) {
  // Only the user's own clicks and typing reach the model; states set from code emit neither signal.
  if (auto* button = qobject_cast<QAbstractButton*>(&widget))
    connect(button, &QAbstractButton::clicked, this, [this, id] { OnClicked(id); });
  else if (auto* edit = qobject_cast<QLineEdit*>(&widget))
    connect(edit, &QLineEdit::textEdited, this,
            [this, id](const QString& text) { m_dialog.TypeText(id, text.toUtf8().toStdString()); });
}

void MainDialogWindow::OnClicked(int id) {
  m_dialog.Click(id);
  // Qt has already toggled a check box or radio by itself; the model decides what it shows, also when it
  // refused the click and reported no change.
  Mirror(id);
}

void MainDialogWindow::BuildWindowMenu() {
  m_menu->addAction(QStringLiteral("最小化(&N)"), this, &QWidget::showMinimized);
  m_menu->addAction(QStringLiteral("閉じる(&C)"), this, [this] { m_dialog.OnCommand(IDCANCEL); });
  m_menu->addSeparator();
  m_menu->addAction(QString::fromUtf8(text::kPreviewMenuItem), this, [this] { m_dialog.OnSysCommand(IDM_PREVIEW); });
  m_menu->addAction(QString::fromUtf8(text::kAboutMenuItem), this, [this] { m_dialog.OnSysCommand(IDM_ABOUTBOX); });
  auto* preview = new QShortcut(QKeySequence(Qt::Key_F5), this);
  connect(preview, &QShortcut::activated, this, [this] { m_dialog.OnSysCommand(IDM_PREVIEW); });
  // A shortcut is seen before the focused control, which would otherwise press itself or type a space.
  auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
  connect(shortcut, &QShortcut::activated, this, [this] { m_menu->popup(mapToGlobal(QPoint(0, 0))); });
}

void MainDialogWindow::ShowPreview() {
  if (!m_preview) m_preview = new PreviewWindow(m_dialog, this);
  m_preview->show();
  m_preview->raise();
  m_preview->activateWindow();
}

void MainDialogWindow::PlanInputsChanged() {
  if (m_preview) m_preview->ScheduleReplan();
}

void MainDialogWindow::reject() { m_dialog.OnCommand(IDCANCEL); }

void MainDialogWindow::closeEvent(QCloseEvent* event) {
  // The window never closes by itself: the exit command saves the settings and ends the program.
  event->ignore();
  m_dialog.OnCommand(IDCANCEL);
}

void MainDialogWindow::contextMenuEvent(QContextMenuEvent* event) {
  // Labels and the group frame are background; a control the user works with is not.
  const QWidget* child = childAt(event->pos());
  if (child && child->focusPolicy() != Qt::NoFocus) return;
  m_menu->popup(event->globalPos());
}

bool MainDialogWindow::TakesDrop(const QDropEvent& event) const {
  // While a batch's message box is open its nested event loop would deliver a drop into the running batch.
  // Only a copy is offered back: a source told "moved" may delete its originals, and a file the batch
  // could not rename would then be lost.
  return acceptDrops() && !m_dialog.IsRunning() && event.mimeData()->hasUrls() &&
         (event.possibleActions() & Qt::CopyAction);
}

void MainDialogWindow::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void MainDialogWindow::dragMoveEvent(QDragMoveEvent* event) {
  if (!TakesDrop(*event)) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

void MainDialogWindow::dropEvent(QDropEvent* event) {
  if (!TakesDrop(*event)) {
    event->ignore();
    return;
  }
  event->setDropAction(Qt::CopyAction);
  event->accept();
  // The batch may open message boxes; handled after the drop returns, the program that started the drag
  // is not kept waiting until the user answers them.
  QMetaObject::invokeMethod(
      this,
      [this, urls = event->mimeData()->urls()] {
        MimeDrop drop(urls);
        m_dialog.OnDropFiles(drop);
      },
      Qt::QueuedConnection);
}

}  // namespace kelvora::gui
