#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "app/TarnwickDlg.h"
#include "rules/FolderPlan.h"

namespace kelvora::gui {

/// A window of its own, owned by the main window: what the folder batch would do with the files as they are now,
/// entry by entry, with a line counting each kind. The list is virtual: it asks for the texts of the rows it draws,
/// so a plan of any size opens at once. It only plans; it never starts a batch.
class PreviewWindow {
 public:
  /// Makes the window, hidden, owned by `owner`; it is minimised and destroyed with it.
  PreviewWindow(HINSTANCE instance, CTarnwickDlg& dialog, HWND owner);
  ~PreviewWindow();
  PreviewWindow(const PreviewWindow&) = delete;
  PreviewWindow& operator=(const PreviewWindow&) = delete;

  /// Shows the window in front, planned afresh when something changed while it was hidden.
  void Show();
  void Hide();
  /// Plans again soon: a burst of changes (typing a folder) makes one plan. A hidden window plans when it is shown
  /// again.
  void ScheduleReplan();
  /// Plans now, unless a batch is running (its end schedules a plan).
  void Replan();
  /// True for the window itself and its controls.
  bool Owns(HWND window) const;
  /// Handles a message of the program's loop that is meant for this window: F5 plans again; Tab, Esc and the
  /// button's mnemonic work as in a dialog. True when it was handled (dispatched included).
  bool HandleMessage(MSG& message);

  HWND Window() const { return m_window; }
  HWND List() const { return m_list; }
  HWND CountLine() const { return m_counts; }
  HWND RefreshButton() const { return m_refresh; }
  const std::vector<PlannedEntry>& Entries() const { return m_entries; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls();
  void Layout();
  void StretchLastColumn();
  LRESULT OnNotify(const NMHDR& header);
  const char* CellText(std::size_t row, int column) const;
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;
  /// `pixels` at 96 dots per inch, in the screen's pixels.
  int Scaled(int pixels) const;

  CTarnwickDlg& m_dialog;
  HWND m_window = nullptr;
  HWND m_list = nullptr;
  HWND m_counts = nullptr;
  HWND m_refresh = nullptr;
  HFONT m_font = nullptr;
  int m_dpi = 96;
  /// The control that had the focus when the window was last deactivated; it gets it back on return.
  HWND m_lastFocus = nullptr;
  std::vector<PlannedEntry> m_entries;
  bool m_stale = true;
};

}  // namespace kelvora::gui
