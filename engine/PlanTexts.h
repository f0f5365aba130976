#pragma once

#include <span>
#include <string>

#include "rules/FolderPlan.h"

namespace kelvora {

/// What happens to a planned entry, in the window's words.
const char* PlannedStepText(PlannedStep step);

/// How many entries of a plan move, stay in place, are left for a later run and stop the batch.
struct PlanCounts {
  int moved = 0;
  int left = 0;
  int later = 0;
  int stops = 0;
};
PlanCounts CountPlan(std::span<const PlannedEntry> entries);

/// The count line of a plan, such as "移動 3 件　移動しない 1 件　次回の実行 0 件　中断 0 件".
std::string PlanCountLine(const PlanCounts& counts);

}  // namespace kelvora
