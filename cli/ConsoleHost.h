#pragma once

#include <ostream>

#include "platform/dialog/DialogHost.h"

namespace kelvora::cli {

/// The dialog host of a run without a window: every box is printed, the completion message to `out` and every other one
/// to `err`, and nothing ever waits for an answer.
class ConsoleHost final : public DialogHost {
 public:
  ConsoleHost(std::ostream& out, std::ostream& err) : m_out(out), m_err(err) {}

  /// The rectangle a batch saves with the settings: the window's saved one, so a run without the window leaves it as it
  /// was.
  void KeepWindowRect(const WindowRect& rect) { m_rect = rect; }

  void MessageBox(const std::string& text, int icon, const std::string& caption) override;
  /// No one is there to pick: the same as a cancelled folder dialog.
  std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& startFolder) override;
  void ShowAboutBox() override {}
  WindowRect GetWindowRect() override { return m_rect; }
  void ShowWindowAt(int, int) override {}
  void DragAcceptFiles(bool) override {}
  void ControlChanged(int) override {}
  void EndProcess(int) override {}
  /// Nothing to paint and no one to ask for a stop.
  void KeepAlive() override {}

 private:
  std::ostream& m_out;
  std::ostream& m_err;
  WindowRect m_rect;
};

}  // namespace kelvora::cli
