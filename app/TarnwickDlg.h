#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/FileNameTable.h"
#include "engine/RenameOutcome.h"
#include "platform/dialog/Dialog.h"
#include "platform/fs/FileSystem.h"
#include "rules/FolderPlan.h"
#include "rules/NameRule.h"
#include "rules/SettingsRecord.h"
#include "rules/SkippedNames.h"

namespace kelvora {

/// A message a batch ends on before it renames anything.
struct Refusal {
  std::string text;
  int icon = kIconNone;
};

/// How the last batch ended.
enum class BatchEnd {
  kCompleted,  ///< it took every file it saw (or found none)
  kStopped,    ///< it stopped at a file: a name taken in the destination, or the serial limit
  kFailed,     ///< it ended early: a folder check, the walk or a rename failed
};

/// The main window: all state of the program and every handler. It works on its control model only, so it
/// runs the same under the Qt host and under the tests' host.
class CTarnwickDlg final : public CDialog {
 public:
  CTarnwickDlg(DialogHost& host, FileSystem& fileSystem, std::string boxCaption);

  /// Start-up: loads the settings, fills the controls, runs the option handlers once and shows the window
  /// at its saved position. Returns true so the focus goes to the default button.
  bool OnInitDialog();
  /// A command of the window menu: IDM_ABOUTBOX opens the About box, IDM_PREVIEW the preview.
  void OnSysCommand(int command);
  void OnCommand(int id) override;
  bool AcceptsInput() const override { return !m_running && !m_ended; }
  /// While a batch runs, a click on the exit button is still taken: it asks the batch to stop.
  bool AcceptsClick(int id) const override;
  /// Files dropped onto the window.
  void OnDropFiles(DropObject& drop);

  /// True while a batch runs (the host's turns and its message boxes handle events meanwhile); input other
  /// than a request to stop is refused.
  bool IsRunning() const { return m_running; }
  /// Asks a running batch to stop before its next file, as closing the window does, but keeps the program
  /// going: the batch then ends as one stopped on an existing name does. Does nothing between batches.
  void StopBatch();

  // Settings record and file.
  void LoadSettings();
  void ResetSettings();
  void WriteSettings();
  const SettingsRecord& Settings() const { return m_settings; }

  // The auto code.
  void ComposeCodeText();
  void AdvanceAutoCode();
  const std::string& CodeText() const { return m_codeText; }

  // Naming options panel.
  void OnAutoToggle();
  void OnSerialToggle();
  void OnAppendToggle();
  void OnModeStamp();
  void OnModeText();

  // Folder selection.
  void OnBrowseSource();
  void OnBrowseDest();

  // Dropping switched on and off.
  void OnDragDropToggle();

  // The folder batch.
  void OnOK();
  void OnMoveOnly();

  /// Every way of closing the window: saves the settings and ends the program.
  void OnExit();

  /// What the folder batch (move-only when `moveOnly`) would do if it were started now, with the folders,
  /// options and files as they are. Changes nothing: no control, counter, stamp or file.
  FolderPlan PlanFolderBatch(bool moveOnly) const;

  BatchEnd LastBatchEnd() const;
  /// True when the last write of the settings file failed (its message has been shown).
  bool SettingsWriteFailed() const { return m_settingsWriteFailed; }

  std::int32_t NextSerial() const { return m_nextSerial; }
  std::int32_t FileCount() const { return m_fileCount; }
  std::int32_t RetryCount() const { return m_retryCount; }
  const std::string& StampText() const { return m_stampText; }

 private:
  /// Reads the mode radios into m_namingMode (save) or writes it to them.
  void UpdateData(bool save);
  /// The check boxes a batch takes at its start; reads nothing else.
  RunOptions OptionsOfControls() const;
  RunOptions ReadRunOptions();
  NameInputs NameInputsFor(const RunOptions& options) const;
  void PickFolderInto(const char* title, std::string SettingsRecord::*field, int editId);
  void SetDlgItemInt(int id, std::int32_t value);
  /// The folder that edit `editId` names, or `recorded` when the edit is empty. Taken whole: the record
  /// keeps at most 259 bytes of it, and a shortened path could name another folder.
  std::string EditFolder(int editId, const std::string& recorded) const;
  /// Copies the folder edits into the record, as far as it can hold them.
  void CopyFolderEdits();
  /// The common start of both batches: folders and options from the controls, the run's counters reset.
  RunOptions StartRun();
  /// Notes where the settings file in use lives, so that neither batch moves it.
  /// The files no batch moves, as they are now: the settings file under its name and where that leads.
  std::vector<KeptFile> KeptFilesNow() const;
  void NoteKeptFiles();
  /// True when `path` (itself, not what a link leads to) is a file noted by NoteKeptFiles.
  bool IsKeptPath(const std::string& path);
  /// Copies the controls and the window rectangle into the record. The texts of the two edits are taken only
  /// in specified-text mode unless `textsInEveryMode`.
  void CaptureSettings(bool textsInEveryMode);
  void CaptureWindowRect();
  /// The stamp of a run started now.
  std::string StampNow() const;
  /// Takes the current time as the stamp of the run.
  void MakeStamp();
  std::optional<Refusal> SameFolderRefusal(const std::string& source, const std::string& dest) const;
  std::optional<Refusal> MissingFolderRefusal(const std::string& folder, const char* missing, const char* failed) const;
  /// The folder batch's checks before its walk: the folders differ, the source exists, the destination exists.
  std::optional<Refusal> FolderChecksRefusal(const std::string& source, const std::string& dest) const;
  /// What the folder batch shows when its walk cannot be opened.
  static Refusal WalkRefusal(int error);
  /// What the folder batch shows when the next entry of its walk cannot be read.
  static std::string NextEntryFailedText(int error);
  /// Every name taken in `folder`, when its walk tells them all for sure: the folder is empty, or its file layer
  /// matches names byte for byte and the folder holds at most `limit` entries. nullopt otherwise, and when the folder
  /// cannot be walked to the end.
  std::optional<std::unordered_set<std::string>> TakenNames(const std::string& folder, std::size_t limit) const;
  /// Shows `refusal` if there is one; true when there was.
  bool Refused(const std::optional<Refusal>& refusal);
  bool CheckSameFolder(const std::string& source, const std::string& dest);
  bool CheckFolderExists(const std::string& folder, const char* missing, const char* failed);
  /// Renames one file and reacts to the result. The folder batch passes its walk, which is closed before a
  /// pause or an abort.
  RenameOutcome RenameEntry(RunKind kind, const RunOptions& options, const std::string& oldPath,
                            const std::string& newPath, std::unique_ptr<DirectoryWalk>* walk = nullptr);
  /// Reacts to a failed rename: a message, a pause and another try, a stop or an abort. `giveBackSerial`: the
  /// failed file's serial number is free again for the next file.
  RenameOutcome RenameFailed(RunKind kind, const RunOptions& options, const std::string& oldPath,
                             const std::string& newPath, int error, std::unique_ptr<DirectoryWalk>* walk,
                             bool giveBackSerial);
  /// The folder batch lets the file layer group its moves to another file system, so that their copies are
  /// flushed to disk together. It completes the group every few files or tenths of a second, and always
  /// before it shows a message, pauses or ends, so that what it counts and reports is done. Returns the
  /// outcome of the first move the group could not complete, reported as that file's failure.
  std::optional<RenameOutcome> CompleteGroupedMoves(RunKind kind, const RunOptions& options,
                                                    std::unique_ptr<DirectoryWalk>* walk);
  bool GroupedMovesDue() const;
  void ShowNextSerial(const RunOptions& options);
  /// Shows the serial-limit message and resets the counter when the limit is reached.
  bool SerialLimitStops();
  /// Shows the completion message (unless suppressed or cut short), captures the controls and writes the
  /// settings: the common end of both batches once they renamed something.
  void FinishRun(RunEnd end);
  void OnControlChanged(int id) override;
  /// Tells the host that a plan would differ now. A batch tells it once, at its end.
  void PlanInputsChanged();
  void RunFolderBatch();
  /// One walk of the source folder; returns how the run goes on.
  RenameOutcome WalkSourceFolder(const RunOptions& options, const std::string& source, const std::string& dest);
  RenameOutcome RenameListed(const RunOptions& options, const std::string& source, const std::string& dest,
                             std::unique_ptr<DirectoryWalk>& walk, FindData& entry);
  RenameOutcome RenameWhileWalking(const RunOptions& options, const std::string& source, const std::string& dest,
                                   std::unique_ptr<DirectoryWalk>& walk, FindData& entry);
  RenameOutcome RenameFolderEntry(const RunOptions& options, const std::string& source, const std::string& dest,
                                  const std::string& oldName, std::unique_ptr<DirectoryWalk>& walk);
  void EndFolderRun(const RunOptions& options, RunEnd end);
  void RunDropBatch(DropObject& drop);
  void CollectDropped(DropObject& drop);
  /// Renames the collected items; false when the run was aborted.
  bool RenameDropped(const RunOptions& options, const std::string& dest);
  void EndDropRun(RunEnd end);

  /// A batch runs on the window's thread. It gives the host a turn by time, never per file, so the window
  /// paints and answers while a batch that runs for minutes costs no more than a clock reading per file.
  /// Every way of closing the window asks the batch to stop: the file being moved is finished or left where
  /// it was, the batch ends as one stopped on an existing name does, and then the program exits.
  void BeginBatch();
  /// Returns whether the user asked the program to end, which it does once the batch has ended.
  bool EndBatch();
  /// Gives the host its turn when one is due; true once the user has asked the batch to stop.
  bool UserStopsBatch();
  /// What a batch does when the user stops it before the next file.
  RenameOutcome StopForUser();
  /// Waits `milliseconds` in slices, giving the host its turns; false when the user asked to stop meanwhile.
  bool PauseAlive(int milliseconds);
  /// The count of files moved and the next serial number, shown while the batch goes.
  void ShowProgress();

  /// Lets a long copy to another file system give the host its turns, and abandons it on a stop.
  class CopyTurns final : public MoveProgress {
   public:
    explicit CopyTurns(CTarnwickDlg& dialog) : m_dialog(dialog) {}
    bool Continue(std::uint64_t bytesCopied) override;

   private:
    CTarnwickDlg& m_dialog;
  };

  /// How often a running batch gives the host its turn.
  static constexpr std::int64_t kTurnIntervalMs = 50;
  /// Pauses before a denied rename is tried again, and how many times in a row one file may be denied.
  static constexpr int kDeniedPauseMs = 1000;
  static constexpr int kMaxDeniedRetries = 5;
  /// How many moves, and how long, a group of moves may grow before it is completed.
  static constexpr int kMovesPerGroup = 32;
  static constexpr std::int64_t kGroupMs = 250;

  FileSystem& m_fs;

  SettingsRecord m_settings;
  std::string m_settingsPath;
  std::string m_codeText;

  std::string m_manualPrefix;
  std::string m_manualSerial;
  std::string m_stampText;
  std::string m_lastPickedFolder;

  std::int32_t m_fileCount = 0;
  std::int32_t m_nextSerial = 0;
  std::int32_t m_retryCount = 0;
  int m_namingMode = 0;
  bool m_moveOnly = false;
  bool m_stampModeApplied = false;
  bool m_stopped = false;
  bool m_serialLimitReached = false;
  /// The current batch reached its ending (a count, a message, the settings saved).
  bool m_reachedEnd = false;
  bool m_settingsWriteFailed = false;
  bool m_running = false;
  bool m_ended = false;
  bool m_stopRequested = false;
  bool m_exitRequested = false;
  std::int64_t m_lastTurnMs = 0;
  int m_movesInGroup = 0;
  std::int64_t m_groupStartMs = 0;
  CopyTurns m_copyTurns{*this};
  std::string m_deniedPath;
  int m_deniedCount = 0;
  /// Files renamed by the drops made since dropping was switched on.
  std::int32_t m_droppedSinceArming = 0;

  /// The settings file in use, which the batch under way leaves where it is.
  std::vector<KeptFile> m_keptFiles;

  std::unique_ptr<FileNameTable> m_fileNames = std::make_unique<FileNameTable>();
  std::unique_ptr<DropPathTable> m_dropPaths = std::make_unique<DropPathTable>();
};

}  // namespace kelvora
