#include "rules/FolderPlan.h"

#include <algorithm>
#include <unordered_set>

#include "rules/PathRule.h"
#include "rules/SkippedNames.h"
#include "rules/SortFileTable.h"

namespace kelvora {
namespace {

PlannedStep StepLeftInPlace(LeftInPlace reason) {
  switch (reason) {
    case LeftInPlace::kNo: return PlannedStep::kMove;
    case LeftInPlace::kSkippedName: return PlannedStep::kSkippedName;
    case LeftInPlace::kPlainFolder: return PlannedStep::kPlainFolder;
    case LeftInPlace::kKeptFile: return PlannedStep::kKeptFile;
  }
  return PlannedStep::kMove;
}

// Follows the batch's per-entry step: the serial limit, the name, the path limit, then the move that never replaces a
// name.
class Planner {
 public:
  Planner(const FolderPlanInputs& inputs, const PathTaken& taken, std::size_t size)
      : m_inputs(inputs), m_taken(taken), m_serial(inputs.nextSerial) {
    m_plan.reserve(size);
    m_movedHere.reserve(size);
  }

  /// Lists an entry the batch leaves where it is.
  void LeaveInPlace(const std::string& name, PlannedStep step) {
    if (!IsSelfOrParent(name)) m_plan.push_back({name, {}, {}, step});
  }

  /// Plans the rename of one entry; false when the batch stops there.
  bool Move(const std::string& oldName) {
    PlannedEntry& entry = m_plan.emplace_back(PlannedEntry{oldName, {}, {}, PlannedStep::kMove});
    if (SerialLimitReached(m_serial)) {
      entry.step = PlannedStep::kSerialLimit;
      return false;
    }
    if (TakesSerial(m_inputs.naming)) entry.serial = m_serial;
    entry.newName = ComposeNewName(m_inputs.naming, oldName, m_serial);
    // Two paths per entry of a large folder: built in buffers that keep their room from one entry to the next.
    JoinInto(m_oldPath, m_inputs.sourceFolder, oldName, m_inputs.pathSeparator);
    JoinInto(m_newPath, m_inputs.destFolder, entry.newName, m_inputs.pathSeparator);
    if (!PathsFit(m_oldPath, m_newPath))
      entry.step = PlannedStep::kPathTooLong;
    else if (!m_movedHere.insert(entry.newName).second || m_taken(m_newPath, entry.newName))
      entry.step = PlannedStep::kTargetExists;
    return !StopsBatch(entry.step);
  }

  std::vector<PlannedEntry> Take() { return std::move(m_plan); }

 private:
  const FolderPlanInputs& m_inputs;
  const PathTaken& m_taken;
  std::int32_t m_serial;
  std::unordered_set<std::string> m_movedHere;
  std::string m_oldPath;
  std::string m_newPath;
  std::vector<PlannedEntry> m_plan;
};

}  // namespace

std::vector<PlannedEntry> PlanFolderBatch(std::span<const FindData> walked, const FolderPlanInputs& inputs,
                                          const PathTaken& taken) {
  Planner planner(inputs, taken, walked.size());
  if (!inputs.sorted) {
    for (const FindData& entry : walked) {
      const LeftInPlace reason = WhyLeftInPlace(entry, inputs.kept);
      if (reason != LeftInPlace::kNo)
        planner.LeaveInPlace(entry.name, StepLeftInPlace(reason));
      else if (!planner.Move(entry.name))
        break;
    }
    return planner.Take();
  }

  const std::size_t listed = std::min(walked.size(), static_cast<std::size_t>(kMaxTableEntries));
  std::vector<std::string> names;
  for (const FindData& entry : walked.first(listed)) {
    const LeftInPlace reason = WhyLeftInPlace(entry, inputs.kept);
    if (reason == LeftInPlace::kNo)
      names.push_back(entry.name);
    else
      planner.LeaveInPlace(entry.name, StepLeftInPlace(reason));
  }
  SortFileTable(names);
  for (const std::string& name : names)
    if (!planner.Move(name)) return planner.Take();
  // A later run lists these again; what it leaves in place it leaves for the same reason.
  for (const FindData& entry : walked.subspan(listed)) {
    const LeftInPlace reason = WhyLeftInPlace(entry, inputs.kept);
    planner.LeaveInPlace(entry.name, reason == LeftInPlace::kNo ? PlannedStep::kLaterRun : StepLeftInPlace(reason));
  }
  return planner.Take();
}

}  // namespace kelvora
