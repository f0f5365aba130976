#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "app/TarnwickDlg.h"
#include "gui/win32/PreviewWindow.h"
#include "platform/dialog/DialogHost.h"

namespace kelvora::gui {

/// The dialog host of the Windows program: a real dialog window made from the template in memory, whose
/// controls mirror the control model, and the system's own message boxes, folder dialog and drops.
/// (windows.h spells MessageBox as MessageBoxA; the override follows it.)
class Win32DialogHost : public DialogHost {
 public:
  explicit Win32DialogHost(HINSTANCE instance) : m_instance(instance) {}
  ~Win32DialogHost() override;
  Win32DialogHost(const Win32DialogHost&) = delete;
  Win32DialogHost& operator=(const Win32DialogHost&) = delete;

  /// Makes the window of `dialog` and runs its start-up, which may show message boxes before it shows the
  /// window. Returns the window, or null when the system refuses to make it.
  HWND Start(CTarnwickDlg& dialog);
  /// Runs the window's messages until the program ends; returns its exit status.
  int Run();
  /// Handles one message of the program's loop: F5 in the main window opens the preview, the dialog keys of both
  /// windows work, and everything else is dispatched.
  void HandleMessage(MSG& message);
  HWND Window() const { return m_window; }
  /// The preview window, once it has been opened.
  PreviewWindow* Preview() const { return m_preview.get(); }
  bool Ended() const { return m_ended; }

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

 protected:
  /// Shows a message box; a test answers it instead.
  virtual void ShowMessageBox(const std::string& text, UINT type, const std::string& caption);
  /// The folder the user picks in the shell's folder dialog; nothing when they cancel.
  virtual std::optional<std::string> PickFolder(const std::string& title, const std::string& startFolder);

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam);
  void InitWindow();
  void OnCommand(int id, int code);
  void Mirror(int id);
  bool IsCloseRequest(const MSG& message) const;
  bool IsInMainWindow(HWND window) const;

  HINSTANCE m_instance;
  CTarnwickDlg* m_dialog = nullptr;
  HWND m_window = nullptr;
  HICON m_icon = nullptr;
  std::vector<WORD> m_template;
  std::unique_ptr<PreviewWindow> m_preview;
  /// Set while the host itself writes into controls, so the edits' change notices are not typing.
  bool m_mirroring = false;
  bool m_ended = false;
  int m_status = 0;
};

}  // namespace kelvora::gui
