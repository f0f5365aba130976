#pragma once

#include <QList>
#include <QUrl>
#include <string>
#include <vector>

#include "platform/dialog/DialogHost.h"

namespace kelvora::gui {

/// The files of a drop, taken from its URLs. Only local files count: a web link or a file on a remote
/// share has no path the file layer could rename. Paths are bytes in the file system's encoding.
class MimeDrop final : public DropObject {
 public:
  explicit MimeDrop(const QList<QUrl>& urls);

  unsigned Count() override { return static_cast<unsigned>(m_paths.size()); }
  std::string Path(unsigned index) override { return m_paths.at(index); }
  void Finish() override { ++m_finishCount; }

  /// How often the drop was released; its handling must do so exactly once.
  int FinishCount() const { return m_finishCount; }

 private:
  std::vector<std::string> m_paths;
  int m_finishCount = 0;
};

}  // namespace kelvora::gui
