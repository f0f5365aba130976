#include "gui/qt/PreviewWindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QShortcut>
#include <QVBoxLayout>

#include "engine/PlanTexts.h"
#include "res/Strings.h"

namespace kelvora::gui {
namespace {

// Long enough to take a word typed into a folder edit as one change, short enough to feel immediate.
constexpr int kReplanDelayMs = 150;

}  // namespace

PreviewWindow::PreviewWindow(CTarnwickDlg& dialog, QWidget* parent)
    : QWidget(parent, Qt::Window),
      m_dialog(dialog),
      m_table(new QTableView(this)),
      m_counts(new QLabel(this)),
      m_refresh(new QPushButton(QString::fromUtf8(text::kPreviewRefresh), this)) {
  setWindowTitle(QString::fromUtf8(text::kPreviewTitle));
  m_table->setModel(&m_model);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->setWordWrap(false);
  // Rows of one fixed height: the view then never measures the rows it does not show.
  m_table->verticalHeader()->hide();
  m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  m_table->verticalHeader()->setDefaultSectionSize(m_table->fontMetrics().height() + 6);
  m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  m_table->horizontalHeader()->setStretchLastSection(true);
  m_table->setColumnWidth(PlanTableModel::kOldName, 240);
  m_table->setColumnWidth(PlanTableModel::kNewName, 300);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(m_counts, 1);
  bottom->addWidget(m_refresh);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_table);
  layout->addLayout(bottom);
  resize(820, 480);

  m_replanTimer.setSingleShot(true);
  m_replanTimer.setInterval(kReplanDelayMs);
  connect(&m_replanTimer, &QTimer::timeout, this, &PreviewWindow::Replan);
  connect(m_refresh, &QPushButton::clicked, this, &PreviewWindow::Replan);
  // F5 opens the preview from the main window; here it plans again.
  connect(new QShortcut(QKeySequence(Qt::Key_F5), this), &QShortcut::activated, this, &PreviewWindow::Replan);
}

void PreviewWindow::ScheduleReplan() {
  m_stale = true;
  if (isVisible()) m_replanTimer.start();
}

void PreviewWindow::Replan() {
  // A batch's message box runs a nested event loop; what the batch is doing is no plan.
  if (m_dialog.IsRunning()) return;
  m_replanTimer.stop();
  m_stale = false;
  FolderPlan plan = m_dialog.PlanFolderBatch(false);
  m_counts->setText(QString::fromUtf8(plan.refusal.empty() ? PlanCountLine(CountPlan(plan.entries)) : plan.refusal));
  m_model.SetEntries(std::move(plan.entries));
}

void PreviewWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (m_stale) Replan();
}

}  // namespace kelvora::gui
