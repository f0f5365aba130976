#pragma once

#include <QDialog>
#include <QMenu>

#include "app/TarnwickDlg.h"
#include "gui/qt/BusyInputFilter.h"
#include "gui/qt/DialogView.h"
#include "gui/qt/PreviewWindow.h"

namespace kelvora::gui {

/// The main window: the widgets of the dialog's template, kept in step with its control model, and every
/// way the user reaches its handlers (clicks, typing, the keyboard, closing, the window menu, drops).
class MainDialogWindow final : public QDialog {
 public:
  explicit MainDialogWindow(CTarnwickDlg& dialog);
  ~MainDialogWindow() override;

  const DialogView& View() const { return m_view; }
  /// Shows the model's state of the control `id`.
  void Mirror(int id);
  /// Gives the focus to the first control in tab order, as a dialog does once it is started.
  void FocusFirstControl();
  /// Stands in for the title bar's window menu, which window managers here keep to themselves.
  QMenu& WindowMenu() { return *m_menu; }

  /// Opens the preview beside the window (made on first use), or raises it.
  void ShowPreview();
  /// The preview; null until it is first opened.
  PreviewWindow* Preview() const { return m_preview; }
  /// Something a plan reads has changed: an open preview plans again.
  void PlanInputsChanged();

  /// Esc: the same command as the close box.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ConnectInput(int id, QWidget& widget);
  void OnClicked(int id);
  void BuildWindowMenu();
  bool TakesDrop(const QDropEvent& event) const;

  CTarnwickDlg& m_dialog;
  DialogView m_view;
  QMenu* m_menu;
  BusyInputFilter* m_busyInput;
  PreviewWindow* m_preview = nullptr;
};

}  // namespace kelvora::gui
