#pragma once

#include <gtest/gtest.h>

#include <string>

#include "platform/fs/posix/PosixFileSystem.h"

namespace kelvora::test {

inline const MoveStrategy kAllMoveStrategies[] = {MoveStrategy::kRenameNoReplace, MoveStrategy::kLinkThenUnlink,
                                                  MoveStrategy::kReserveThenRename};

/// Names the strategy in parameterised test names.
inline std::string MoveStrategyName(const ::testing::TestParamInfo<MoveStrategy>& info) {
  switch (info.param) {
    case MoveStrategy::kRenameNoReplace:
      return "RenameNoReplace";
    case MoveStrategy::kLinkThenUnlink:
      return "LinkThenUnlink";
    case MoveStrategy::kReserveThenRename:
      return "ReserveThenRename";
  }
  return "Unknown";
}

}  // namespace kelvora::test
