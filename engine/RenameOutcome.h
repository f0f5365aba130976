#pragma once

namespace kelvora {

/// What a batch does after one rename.
enum class RenameOutcome {
  kNext,   ///< renamed; go on with the next file
  kRetry,  ///< access denied and the pause is over; try again
  kStop,   ///< the target name exists; go to the normal ending
  kAbort,  ///< the run is over at once: no ending, nothing saved
};

/// Which batch a rename belongs to; the messages differ.
enum class RunKind { kFolder, kDropped };

}  // namespace kelvora
