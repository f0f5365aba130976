#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "rules/FolderPlan.h"

namespace kelvora::gui {

/// The entries of a plan as a table of old name, new name and what happens. Rows are drawn on demand, so a plan of any
/// size costs the view only the rows it shows.
class PlanTableModel final : public QAbstractTableModel {
 public:
  enum Column { kOldName, kNewName, kWhat, kColumnCount };

  using QAbstractTableModel::QAbstractTableModel;

  void SetEntries(std::vector<PlannedEntry> entries);
  const std::vector<PlannedEntry>& Entries() const { return m_entries; }

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

 private:
  std::vector<PlannedEntry> m_entries;
};

}  // namespace kelvora::gui
