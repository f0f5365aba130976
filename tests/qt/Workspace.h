#pragma once

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include "rules/SettingsRecord.h"

namespace kelvora::gui {

/// A temporary folder that is the current directory while it lives, so the program's ./Kelvora.ini is
/// written there and never beside the user's own files. It holds a source and a destination folder.
class Workspace {
 public:
  Workspace();
  ~Workspace();
  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  bool IsValid() const { return m_root.isValid(); }
  QString Path(const QString& name) const { return m_root.filePath(name); }
  QString Source() const { return Path(QStringLiteral("変換元")); }
  QString Dest() const { return Path(QStringLiteral("移動先")); }

  /// Settings that name the two folders and give every file the prefix "旅行-" before its whole old name,
  /// with the completion message on.
  SettingsRecord PrefixSettings() const;
  void WriteSettings(const SettingsRecord& record) const;
  /// The record in ./Kelvora.ini as the program left it.
  SettingsRecord ReadSettings() const;

  /// Creates folder `folder` (if needed) with a file `name` in it; returns the file's path.
  QString AddFile(const QString& folder, const QString& name) const;
  static QStringList Files(const QString& folder);

 private:
  QTemporaryDir m_root;
  QString m_previousDir;
};

}  // namespace kelvora::gui
