#include "gui/qt/PlanTableModel.h"

#include <QBrush>
#include <QFile>
#include <QPalette>

#include "engine/PlanTexts.h"
#include "res/Strings.h"

namespace kelvora::gui {

void PlanTableModel::SetEntries(std::vector<PlannedEntry> entries) {
  beginResetModel();
  m_entries = std::move(entries);
  endResetModel();
}

int PlanTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_entries.size());
}

int PlanTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant PlanTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const PlannedEntry& entry = m_entries[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole) {
    // Names are the file system's bytes; a name that is not valid UTF-8 still shows, as the file manager shows it.
    switch (index.column()) {
      case kOldName: return QFile::decodeName(QByteArray::fromStdString(entry.oldName));
      case kNewName: return QFile::decodeName(QByteArray::fromStdString(entry.newName));
      case kWhat: return QString::fromUtf8(PlannedStepText(entry.step));
      default: return {};
    }
  }
  if (role == Qt::ForegroundRole) {
    if (StopsBatch(entry.step)) return QBrush(Qt::red);
    if (entry.step != PlannedStep::kMove) return QPalette().brush(QPalette::Disabled, QPalette::Text);
  }
  return {};
}

QVariant PlanTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  switch (section) {
    case kOldName: return QString::fromUtf8(text::kPreviewOldName);
    case kNewName: return QString::fromUtf8(text::kPreviewNewName);
    case kWhat: return QString::fromUtf8(text::kPreviewWhat);
    default: return {};
  }
}

}  // namespace kelvora::gui
