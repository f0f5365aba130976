#pragma once

namespace kelvora {

/// The line that names what made a move fail, for the causes a user can act on; null for any other result
/// of FileSystem::MoveNoReplace.
const char* MoveFailureCause(int moveError);

}  // namespace kelvora
