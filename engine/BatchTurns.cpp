// A batch and the window it runs in: turns for the host, progress, and a stop asked for by the user.
#include <algorithm>

#include "app/TarnwickDlg.h"
#include "res/resource.h"

namespace kelvora {

bool CTarnwickDlg::AcceptsClick(int id) const { return AcceptsInput() || (m_running && !m_ended && id == IDCANCEL); }

void CTarnwickDlg::BeginBatch() {
  m_running = true;
  m_stopRequested = false;
  m_exitRequested = false;
  m_lastTurnMs = m_fs.MonotonicMs();
  m_movesInGroup = 0;
  m_groupStartMs = m_lastTurnMs;
  m_fs.SetMoveProgress(&m_copyTurns);
}

bool CTarnwickDlg::EndBatch() {
  m_fs.SetMoveProgress(nullptr);
  m_running = false;
  PlanInputsChanged();
  return m_exitRequested;
}

void CTarnwickDlg::StopBatch() {
  if (m_running && !m_ended) m_stopRequested = true;
}

bool CTarnwickDlg::UserStopsBatch() {
  const std::int64_t now = m_fs.MonotonicMs();
  if (now - m_lastTurnMs >= kTurnIntervalMs) {
    ShowProgress();
    Host().KeepAlive();
    m_lastTurnMs = m_fs.MonotonicMs();
  }
  return m_stopRequested;
}

RenameOutcome CTarnwickDlg::StopForUser() {
  // Ends as a batch stopped on an existing name does: counts shown, code and serial number kept, settings
  // saved, no completion message.
  m_stopped = true;
  return RenameOutcome::kStop;
}

bool CTarnwickDlg::PauseAlive(int milliseconds) {
  for (int left = milliseconds; left > 0; left -= static_cast<int>(kTurnIntervalMs)) {
    if (UserStopsBatch()) return false;
    m_fs.Sleep(std::min(left, static_cast<int>(kTurnIntervalMs)));
  }
  return !UserStopsBatch();
}

void CTarnwickDlg::ShowProgress() {
  SetDlgItemInt(IDC_COUNT, m_fileCount);
  // Only a run that numbers its files has a next number to show; the end shows what the next run starts at.
  if (m_fileCount > 0 && IsDlgButtonChecked(IDC_SERIAL_ON) && !m_moveOnly) SetDlgItemInt(IDC_SERIAL, m_nextSerial);
}

bool CTarnwickDlg::CopyTurns::Continue(std::uint64_t) { return !m_dialog.UserStopsBatch(); }

}  // namespace kelvora
