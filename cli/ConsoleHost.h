#pragma once

#include <functional>
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
  /// Runs at every turn a batch gives its host: nothing to paint, but a stop may have been asked for.
  void OnTurn(std::function<void()> turn) { m_turn = std::move(turn); }

  void KeepAlive() override {
    if (m_turn) m_turn();
  }

 private:
  std::ostream& m_out;
  std::ostream& m_err;
  WindowRect m_rect;
  std::function<void()> m_turn;
};

}  // namespace kelvora::cli
