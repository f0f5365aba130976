#include "engine/MoveFailureCause.h"

#include "platform/fs/FileSystem.h"
#include "res/Strings.h"

namespace kelvora {

const char* MoveFailureCause(int moveError) {
  switch (moveError) {
    case kMoveVanished: return text::kCauseVanished;
    case kMoveAccessDenied: return text::kCauseAccessDenied;
    case kMoveSourceChanged: return text::kCauseSourceChanged;
    case kMoveCrossDevice: return text::kCauseCrossDevice;
    case kMoveTooLarge: return text::kCauseTooLarge;
    case kMoveNoSpace: return text::kCauseNoSpace;
    case kMoveReadOnly: return text::kCauseReadOnly;
    case kMoveQuotaExceeded: return text::kCauseQuotaExceeded;
    default: return nullptr;
  }
}

}  // namespace kelvora
