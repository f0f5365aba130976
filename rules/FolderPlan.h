#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/fs/DirectoryEntry.h"
#include "platform/fs/PathLimits.h"
#include "rules/NameRule.h"
#include "rules/SkippedNames.h"

namespace kelvora {

/// What the folder batch would do with one directory entry.
enum class PlannedStep {
  kMove,          ///< renamed (in a move-only run: only moved) into the destination
  kSkippedName,   ///< left in place: one of the names no batch renames
  kPlainFolder,   ///< left in place: a plain folder
  kKeptFile,      ///< left in place: the settings file in use
  kLaterRun,      ///< past the listing's limit: this run does not see it, a later run takes it
  kTargetExists,  ///< the batch stops here: the new name is taken in the destination
  kPathTooLong,   ///< the batch stops here: the old or the new full path is over the limit
  kSerialLimit,   ///< the batch stops here, before it composes a name: the serial number is past its limit
};

/// True for the steps the batch stops at; nothing follows them in a plan.
inline bool StopsBatch(PlannedStep step) {
  return step == PlannedStep::kTargetExists || step == PlannedStep::kPathTooLong || step == PlannedStep::kSerialLimit;
}

/// One entry of a plan.
struct PlannedEntry {
  std::string oldName;
  /// The name it gets in the destination: set for kMove, kTargetExists and kPathTooLong.
  std::string newName;
  /// The serial number its new name carries, when it carries one.
  std::optional<std::int32_t> serial;
  PlannedStep step = PlannedStep::kMove;

  friend bool operator==(const PlannedEntry&, const PlannedEntry&) = default;
};

/// What the folder batch takes at its start, as a plan needs it.
struct FolderPlanInputs {
  NameInputs naming;
  /// The serial counter when the first name is composed.
  std::int32_t nextSerial = 1;
  /// The list path: the entries of one listing sorted, the ones past it left for a later run.
  bool sorted = false;
  std::string_view sourceFolder;
  std::string_view destFolder;
  /// What joins a folder and a name on the file layer the batch runs on.
  char pathSeparator = kPathSeparator;
  /// The files no batch moves.
  std::span<const KeptFile> kept;
};

/// A plan of the folder batch as the window makes it.
struct FolderPlan {
  /// The message the batch would end on before it renames anything (a folder check, a walk that fails); empty when it
  /// would start. A plan with a refusal lists nothing.
  std::string refusal;
  std::vector<PlannedEntry> entries;
};

/// Asks whether a name is taken in the destination, given with its full path there; a plan changes nothing, so it only
/// asks.
using PathTaken = std::function<bool(const std::string& path, const std::string& name)>;

/// What the folder batch would do with `walked`, the entries of its source folder as its walk delivers them (the
/// entries for the folder itself and its parent included; they count towards the listing's limit but are not listed).
/// The entries come in the order the batch takes them: on the direct path the walk's order; on the list path the listed
/// entries left in place, then the listed ones sorted, then those past the listing. A new name that `taken` reports, or
/// that an earlier entry of the plan gets, stops the batch. Nothing is listed past the first entry that stops the
/// batch.
std::vector<PlannedEntry> PlanFolderBatch(std::span<const FindData> walked, const FolderPlanInputs& inputs,
                                          const PathTaken& taken);

}  // namespace kelvora
