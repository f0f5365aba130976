#pragma once

namespace kelvora {

/// What a batch does after one rename.
enum class RenameOutcome {
  kNext,   ///< renamed; go on with the next file
  kRetry,  ///< access denied and the pause is over; try again
  kStop,   ///< the target name exists; go to the normal ending
  kAbort,  ///< the run is over at once: no ending, nothing saved
};

/// How a batch reached its end. A batch cut short by a failure has shown its report; when it renamed files
/// it still ends as one that reached its end would, only without the completion message, so the code, the
/// serial number and the settings agree with the files already moved.
enum class RunEnd { kReached, kCutShort };

/// Which batch a rename belongs to; the messages differ.
enum class RunKind { kFolder, kDropped };

}  // namespace kelvora
