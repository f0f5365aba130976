#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "platform/fs/FileSystem.h"

namespace kelvora::cli {

/// What the command line asks for.
struct Command {
  enum Action { kWindow, kHelp, kPreview, kRun } action = kWindow;
  /// The batch moves the files under their own names ("移動のみ"); with kPreview, the plan is of that batch.
  bool moveOnly = false;
  /// Folders that replace the saved ones for this run, as if typed into the window.
  std::optional<std::string> source;
  std::optional<std::string> dest;
};

/// Exit statuses of a run from the command line.
enum : int {
  kExitDone = 0,     ///< the batch ended normally, also with no files; a plan without a stop
  kExitStopped = 1,  ///< the batch stopped or failed, or the settings could not be written
  kExitUsage = 2,    ///< the command line was not understood
};

/// Parses the arguments after the program's name; nothing when they are not understood. No arguments ask for the
/// window.
std::optional<Command> ParseCommandLine(std::span<const std::string_view> args);

/// Runs a command other than kWindow on the main dialog of `executablePath`, with the settings file in the current
/// folder, and returns the exit status. Prints to `out` and `err`; reads no input.
int RunCommand(const Command& command, FileSystem& fileSystem, std::string_view executablePath, std::ostream& out,
               std::ostream& err);

/// The whole command line for main(): parses `argv`, prints the usage text where asked or needed, runs the command.
/// Only for arguments that do not ask for the window.
int Main(int argc, const char* const* argv, FileSystem& fileSystem, std::ostream& out, std::ostream& err);

/// Both usage texts, Japanese then English.
extern const char* const kUsage;

}  // namespace kelvora::cli
