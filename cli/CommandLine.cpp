#include "cli/CommandLine.h"

#include "app/TarnwickApp.h"
#include "cli/ConsoleHost.h"
#include "cli/InterruptCatcher.h"
#include "engine/PlanTexts.h"
#include "res/resource.h"

namespace kelvora::cli {

const char* const kUsage =
    "使い方: kelvora [--preview] [--run | --move-only] [--source フォルダ] [--dest フォルダ]\n"
    "  引数なし        ウィンドウを開きます。\n"
    "  --preview       一括処理で何が起きるかを一行に一件ずつ表示します（元の名前、新しい名前、処理をタブ区切りで）。\n"
    "                  何も変更しません。--move-only と一緒に指定すると「移動のみ」の場合を表示します。\n"
    "  --run           「変換＆移動」を実行します。\n"
    "  --move-only     「移動のみ」を実行します。\n"
    "  --source フォルダ  この実行に限り、変換対象フォルダをこのフォルダにします。\n"
    "  --dest フォルダ    この実行に限り、移動先フォルダをこのフォルダにします。\n"
    "  --help          この説明を表示します。\n"
    "設定はカレントフォルダの Kelvora.ini を使い、ウィンドウでの一括処理と同じように保存します。\n"
    "終了コード: 0 正常終了（ファイルが１件もない場合を含む）、1 中断・失敗・設定の保存の失敗、2 引数の誤り。\n"
    "\n"
    "Usage: kelvora [--preview] [--run | --move-only] [--source DIR] [--dest DIR]\n"
    "  (no arguments)  Opens the window.\n"
    "  --preview       Prints what the folder batch would do, one entry a line: old name, new name and what\n"
    "                  happens, separated by tabs. Changes nothing. With --move-only, the move-only batch.\n"
    "  --run           Runs the folder batch (変換＆移動).\n"
    "  --move-only     Moves the files under their own names (移動のみ).\n"
    "  --source DIR    Takes DIR as the source folder for this run only.\n"
    "  --dest DIR      Takes DIR as the destination folder for this run only.\n"
    "  --help          Prints this text.\n"
    "Uses Kelvora.ini in the current folder and saves it as a batch in the window does.\n"
    "Exit status: 0 the batch ended normally (also with no files); 1 it stopped or failed, or the settings\n"
    "could not be saved; 2 the arguments were not understood.\n";

namespace {

const char* const kShortUsage =
    "使い方: kelvora [--preview] [--run | --move-only] [--source フォルダ] [--dest フォルダ]   詳しくは --help\n"
    "Usage: kelvora [--preview] [--run | --move-only] [--source DIR] [--dest DIR]   See --help.\n";

int PrintPlan(const FolderPlan& plan, std::ostream& out, std::ostream& err) {
  if (!plan.refusal.empty()) {
    err << plan.refusal << '\n';
    return kExitStopped;
  }
  for (const PlannedEntry& entry : plan.entries)
    out << entry.oldName << '\t' << entry.newName << '\t' << PlannedStepText(entry.step) << '\n';
  out.flush();
  return !plan.entries.empty() && StopsBatch(plan.entries.back().step) ? kExitStopped : kExitDone;
}

}  // namespace

std::optional<Command> ParseCommandLine(std::span<const std::string_view> args) {
  Command command;
  bool preview = false;
  bool run = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help") {
      command.action = Command::kHelp;
      return command;
    }
    if (arg == "--preview" && !preview) {
      preview = true;
    } else if (arg == "--run" && !run) {
      run = true;
    } else if (arg == "--move-only" && !command.moveOnly) {
      command.moveOnly = true;
    } else if ((arg == "--source" || arg == "--dest") && i + 1 < args.size()) {
      std::optional<std::string>& folder = arg == "--source" ? command.source : command.dest;
      if (folder) return std::nullopt;
      folder = std::string(args[++i]);
    } else {
      return std::nullopt;
    }
  }
  if (args.empty()) return command;
  // One batch at a time: the plan of one, or one of the two.
  if (run && (preview || command.moveOnly)) return std::nullopt;
  if (preview)
    command.action = Command::kPreview;
  else if (run || command.moveOnly)
    command.action = Command::kRun;
  else
    return std::nullopt;
  return command;
}

int RunCommand(const Command& command, FileSystem& fileSystem, std::string_view executablePath, std::ostream& out,
               std::ostream& err) {
  ConsoleHost host(out, err);
  CTarnwickApp app(host, fileSystem, executablePath);
  CTarnwickDlg& dialog = app.MainDialog();
  dialog.OnInitDialog();
  const SettingsRecord& saved = dialog.Settings();
  host.KeepWindowRect({saved.windowLeft, saved.windowTop, saved.windowRight, saved.windowBottom});
  if (command.source) dialog.TypeText(IDC_SRC_FOLDER, *command.source);
  if (command.dest) dialog.TypeText(IDC_DST_FOLDER, *command.dest);

  switch (command.action) {
    case Command::kPreview: return PrintPlan(dialog.PlanFolderBatch(command.moveOnly), out, err);
    case Command::kRun: {
      const InterruptCatcher interrupts;
      host.OnTurn([&dialog] {
        if (InterruptCatcher::Caught()) dialog.StopBatch();
      });
      dialog.Click(command.moveOnly ? IDC_MOVE_ONLY : IDOK);
      break;
    }
    case Command::kWindow:
    case Command::kHelp: return kExitUsage;
  }
  const bool done = dialog.LastBatchEnd() == BatchEnd::kCompleted && !dialog.SettingsWriteFailed();
  return done ? kExitDone : kExitStopped;
}

int Main(int argc, const char* const* argv, FileSystem& fileSystem, std::ostream& out, std::ostream& err) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const std::optional<Command> command = ParseCommandLine(args);
  if (!command || command->action == Command::kWindow) {
    err << kShortUsage;
    return kExitUsage;
  }
  if (command->action == Command::kHelp) {
    out << kUsage;
    return kExitDone;
  }
  return RunCommand(*command, fileSystem, argv[0], out, err);
}

}  // namespace kelvora::cli
