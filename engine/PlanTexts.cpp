#include "engine/PlanTexts.h"

#include "res/Strings.h"

namespace kelvora {

const char* PlannedStepText(PlannedStep step) {
  switch (step) {
    case PlannedStep::kMove: return text::kPlanMove;
    case PlannedStep::kSkippedName: return text::kPlanSkippedName;
    case PlannedStep::kPlainFolder: return text::kPlanPlainFolder;
    case PlannedStep::kKeptFile: return text::kPlanKeptFile;
    case PlannedStep::kLaterRun: return text::kPlanLaterRun;
    case PlannedStep::kTargetExists: return text::kPlanTargetExists;
    case PlannedStep::kPathTooLong: return text::kPlanPathTooLong;
    case PlannedStep::kSerialLimit: return text::kPlanSerialLimit;
  }
  return "";
}

PlanCounts CountPlan(std::span<const PlannedEntry> entries) {
  PlanCounts counts;
  for (const PlannedEntry& entry : entries) {
    switch (entry.step) {
      case PlannedStep::kMove: ++counts.moved; break;
      case PlannedStep::kSkippedName:
      case PlannedStep::kPlainFolder:
      case PlannedStep::kKeptFile: ++counts.left; break;
      case PlannedStep::kLaterRun: ++counts.later; break;
      case PlannedStep::kTargetExists:
      case PlannedStep::kPathTooLong:
      case PlannedStep::kSerialLimit: ++counts.stops; break;
    }
  }
  return counts;
}

std::string PlanCountLine(const PlanCounts& counts) {
  const auto part = [](const char* label, int count) {
    return std::string(label) + " " + std::to_string(count) + " " + text::kPlanCountUnit;
  };
  // Ideographic spaces between the parts, as the window's own labels are spaced.
  const std::string gap = "　";
  return part(text::kPlanCountMoved, counts.moved) + gap + part(text::kPlanCountLeft, counts.left) + gap +
         part(text::kPlanCountLater, counts.later) + gap + part(text::kPlanCountStop, counts.stops);
}

}  // namespace kelvora
