#include <cerrno>

#include "app/TarnwickDlg.h"
#include "engine/MoveFailureCause.h"
#include "rules/PathRule.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora {
namespace {

std::string OldNewReport(const char* head, const std::string& oldPath, const std::string& newPath, const char* tail) {
  return std::string(head) + "\n\nOldName = " + oldPath + "\n\nNewName = " + newPath + "\n\n" + tail;
}

}  // namespace

RenameOutcome CTarnwickDlg::RenameEntry(RunKind kind, const RunOptions& options, const std::string& oldPath,
                                        const std::string& newPath, std::unique_ptr<DirectoryWalk>* walk) {
  // A path past the limit is refused before the file system sees it, as a name that is too long.
  const int error = PathsFit(oldPath, newPath) ? m_fs.MoveNoReplace(oldPath, newPath) : ENAMETOOLONG;
  if (error == kMoveOk) {
    ++m_fileCount;
    ++m_movesInGroup;
    return RenameOutcome::kNext;
  }
  const bool tookSerial = TakesSerial(NameInputsFor(options));
  // The files moved before this one come first: done, or reported in its place.
  if (const std::optional<RenameOutcome> outcome = CompleteGroupedMoves(kind, options, walk)) {
    if (tookSerial) --m_nextSerial;
    return *outcome;
  }
  return RenameFailed(kind, options, oldPath, newPath, error, walk, tookSerial);
}

std::optional<RenameOutcome> CTarnwickDlg::CompleteGroupedMoves(RunKind kind, const RunOptions& options,
                                                                std::unique_ptr<DirectoryWalk>* walk) {
  m_groupStartMs = m_fs.MonotonicMs();
  if (m_movesInGroup == 0) return std::nullopt;
  m_movesInGroup = 0;
  const std::vector<MoveFailure> failures = m_fs.CompleteMoves();
  if (failures.empty()) return std::nullopt;
  m_fileCount -= static_cast<std::int32_t>(failures.size());
  // Later files of the group took their numbers already: the failed file's number stays unused.
  const MoveFailure& first = failures.front();
  return RenameFailed(kind, options, first.from, first.to, first.error, walk, false);
}

bool CTarnwickDlg::GroupedMovesDue() const {
  return m_movesInGroup >= kMovesPerGroup ||
         (m_movesInGroup > 0 && m_fs.MonotonicMs() - m_groupStartMs >= kGroupMs);
}

RenameOutcome CTarnwickDlg::RenameFailed(RunKind kind, const RunOptions& options, const std::string& oldPath,
                                         const std::string& newPath, int error,
                                         std::unique_ptr<DirectoryWalk>* walk, bool giveBackSerial) {
  auto closeWalk = [walk] {
    if (walk) walk->reset();
  };

  if (error == kMoveAbandoned) {
    // The user stopped the batch in the middle of a copy: the file is where it was, its number is free.
    if (giveBackSerial) --m_nextSerial;
    return StopForUser();
  }

  if (error == kMoveInvalidName) {
    if (kind == RunKind::kDropped) {
      AfxMessageBox(OldNewReport(text::kDroppedNotFound, oldPath, newPath, text::kCheckFile), kIconHand);
      return RenameOutcome::kAbort;
    }
    AfxMessageBox(std::string(text::kInvalidName) + "\n" + text::kInvalidNameHint, kIconHand);
    SetDlgItemInt(IDC_COUNT, m_fileCount);
    if (!m_moveOnly) ShowNextSerial(options);
    closeWalk();
    return RenameOutcome::kAbort;
  }

  if (error == kMoveAccessDenied || error == kMoveSourceChanged) {
    // A denied file, or one still being written, may clear by itself: a few pauses for the same file, then it is
    // reported like any other failure, so the window never waits for ever.
    m_deniedCount = oldPath == m_deniedPath ? m_deniedCount + 1 : 1;
    m_deniedPath = oldPath;
    if (m_deniedCount <= kMaxDeniedRetries) {
      closeWalk();
      if (giveBackSerial) --m_nextSerial;
      if (!PauseAlive(kDeniedPauseMs)) return StopForUser();
      ++m_retryCount;
      return RenameOutcome::kRetry;
    }
  }

  if (error == kMoveTargetExists) {
    AfxMessageBox(OldNewReport(text::kTargetExists, oldPath, newPath, text::kRunInterrupted), kIconHand);
    if (giveBackSerial) --m_nextSerial;
    m_stopped = true;
    return RenameOutcome::kStop;
  }

  const char* hint = kind == RunKind::kFolder ? text::kFolderRunNameHint : text::kDroppedRunNameHint;
  std::string report =
      std::string(text::kRenameFailed) + " errno = " + std::to_string(error) + "\n" + text::kNameTooLong + "\n" + hint;
  if (const char* cause = MoveFailureCause(error)) report += std::string("\n") + cause;
  AfxMessageBox(report, kIconHand);
  AfxMessageBox(OldNewReport(text::kCheckName, oldPath, newPath, text::kRunInterrupted), kIconHand);
  closeWalk();
  return RenameOutcome::kAbort;
}

void CTarnwickDlg::ShowNextSerial(const RunOptions& options) {
  // Only a typed text numbers on from run to run; a stamp or a code starts again at 1.
  if (m_namingMode == kModeText && !options.useAutoCode)
    SetDlgItemInt(IDC_SERIAL, m_nextSerial);
  else
    SetDlgItemText(IDC_SERIAL, "1");
}

}  // namespace kelvora
