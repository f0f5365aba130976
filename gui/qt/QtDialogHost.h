#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <memory>

#include "app/TarnwickDlg.h"
#include "gui/qt/MainDialogWindow.h"
#include "platform/dialog/DialogHost.h"

namespace kelvora::gui {

/// The dialog host of the Qt program: the main window, its modal boxes and the end of the program.
class QtDialogHost : public QObject, public DialogHost {
  Q_OBJECT

 public:
  QtDialogHost();
  ~QtDialogHost() override;

  /// Builds the window of `dialog` and runs its start-up, which may show message boxes before it shows
  /// the window.
  void Start(CTarnwickDlg& dialog);
  /// The main window; null before Start().
  MainDialogWindow* Window() const { return m_window.get(); }

  void MessageBox(const std::string& text, int icon, const std::string& caption) override;
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& startFolder) override;
  void ShowAboutBox() override;
  WindowRect GetWindowRect() override;
  void ShowWindowAt(int x, int y) override;
  void DragAcceptFiles(bool accept) override;
  void ControlChanged(int id) override;
  void KeepAlive() override;
  void ShowPreview() override;
  void PlanInputsChanged() override;
  void EndProcess(int status) override;

 signals:
  /// The program is over with `status`: the window is hidden and takes no more input. The event loop
  /// that runs the program leaves with this status.
  void ended(int status);

 protected:
  /// Runs `box` modally until the user closes it.
  virtual void RunModal(QDialog& box);
  /// The folder the user picks, starting at `startFolder` (empty: the default place); empty when they cancel.
  virtual QString PickFolder(const QString& title, const QString& startFolder);

 private:
  std::unique_ptr<MainDialogWindow> m_window;
};

}  // namespace kelvora::gui
