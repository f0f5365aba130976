#include "gui/qt/MimeDrop.h"

#include <QFile>

namespace kelvora::gui {

MimeDrop::MimeDrop(const QList<QUrl>& urls) {
  for (const QUrl& url : urls)
    if (url.isLocalFile()) m_paths.push_back(QFile::encodeName(url.toLocalFile()).toStdString());
}

}  // namespace kelvora::gui
