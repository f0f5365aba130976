#pragma once

#include <optional>
#include <string>

namespace kelvora {

/// Icons of a message box; the value tells the kind of report.
enum MessageIcon : int {
  kIconNone = 0,
  kIconHand = 16,         ///< a system call failed
  kIconExclamation = 48,  ///< something the user must correct
  kIconInformation = 64,  ///< completion
};

/// A window rectangle in screen pixels, frame included.
struct WindowRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

/// The items dropped onto the window, as the window system hands them over.
class DropObject {
 public:
  virtual ~DropObject() = default;
  /// Number of dropped items.
  virtual unsigned Count() = 0;
  /// Full path of item `index` (below Count()), as bytes in the file system's encoding.
  virtual std::string Path(unsigned index) = 0;
  /// Releases the drop; called exactly once, as the last step of its handling.
  virtual void Finish() = 0;
};

/// Everything a dialog asks of the window system that is modal or outside its controls. The Qt host
/// implements it with real widgets; tests answer it from a script.
class DialogHost {
 public:
  virtual ~DialogHost() = default;
  /// Shows a modal box with one OK button and returns when it is closed.
  virtual void MessageBox(const std::string& text, int icon, const std::string& caption) = 0;
  /// Shows the folder dialog, opened at `startFolder` (an existing folder, its full path) or, when that is
  /// empty, where the system opens it. Returns the chosen folder's full path, or nothing when the user cancels.
  virtual std::optional<std::string> BrowseForFolder(const std::string& title, const std::string& startFolder) = 0;
  /// Shows the About box modally.
  virtual void ShowAboutBox() = 0;
  /// The window's rectangle (its frame) in screen coordinates.
  virtual WindowRect GetWindowRect() = 0;
  /// Places the window's frame at x, y (not clamped to any screen), keeps its size, and shows it.
  virtual void ShowWindowAt(int x, int y) = 0;
  /// Lets the window accept dropped files, or stops it.
  virtual void DragAcceptFiles(bool accept) = 0;
  /// A control's state changed in the model; the host mirrors it.
  virtual void ControlChanged(int id) = 0;
  /// Called by a running batch every few tens of milliseconds, also from inside a long copy, so the window
  /// stays alive: paints what changed (the count and serial displays show the progress) and answers the
  /// window system (moving, minimising), then returns without waiting. Input other than a request to close
  /// the window (the close box, Alt+F4, Esc, the button IDCANCEL, the window menu's close item) is refused
  /// and dropped, not kept for later; a request to close reaches the dialog as command IDCANCEL, which then
  /// stops the batch. Never shows anything modal.
  virtual void KeepAlive() = 0;
  /// Shows the preview of the folder batch: a window of its own that does not block this one. Hosts
  /// without one ignore it.
  virtual void ShowPreview() {}
  /// Something a plan of the folder batch reads has changed: a folder, a naming option, the serial start, the
  /// code, or the files after a batch. A host that shows a preview plans again.
  virtual void PlanInputsChanged() {}
  /// Ends the program with `status` once the current handler returns; no further input is handled.
  virtual void EndProcess(int status) = 0;
};

}  // namespace kelvora
