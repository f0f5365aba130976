#pragma once

#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QWidget>

#include "app/TarnwickDlg.h"
#include "gui/qt/PlanTableModel.h"

namespace kelvora::gui {

/// A window of its own beside the main window: what the folder batch would do with the files as they are now, entry by
/// entry, with a line counting each kind. It only plans; it never starts a batch.
class PreviewWindow final : public QWidget {
 public:
  PreviewWindow(CTarnwickDlg& dialog, QWidget* parent);

  /// Plans again soon: a burst of changes (typing a folder) makes one plan. A hidden window plans when it is shown
  /// again.
  void ScheduleReplan();
  /// Plans now, unless a batch is running (its end schedules a plan).
  void Replan();

  const PlanTableModel& Model() const { return m_model; }
  QTableView& Table() { return *m_table; }
  QLabel& CountLine() { return *m_counts; }
  QPushButton& RefreshButton() { return *m_refresh; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  CTarnwickDlg& m_dialog;
  PlanTableModel m_model;
  QTableView* m_table;
  QLabel* m_counts;
  QPushButton* m_refresh;
  QTimer m_replanTimer;
  bool m_stale = true;
};

}  // namespace kelvora::gui
