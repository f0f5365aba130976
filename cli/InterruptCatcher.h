#pragma once

namespace kelvora::cli {

/// While it lives, Ctrl+C and a request to terminate only leave a note that the run reads between files, so a
/// batch stops cleanly: the file being moved is finished or left where it was, and the settings are saved. A
/// second one ends the program at once, as if nothing caught it; even then no file is lost, since a file's
/// source goes only after its copy is complete.
class InterruptCatcher {
 public:
  InterruptCatcher();
  ~InterruptCatcher();
  InterruptCatcher(const InterruptCatcher&) = delete;
  InterruptCatcher& operator=(const InterruptCatcher&) = delete;

  /// True once an interrupt arrived since this catcher was set up.
  static bool Caught();
};

}  // namespace kelvora::cli
