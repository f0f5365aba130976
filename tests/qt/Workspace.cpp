#include "Workspace.h"

#include <QFile>
#include <QTest>

namespace kelvora::gui {

Workspace::Workspace() : m_previousDir(QDir::currentPath()) {
  if (!m_root.isValid()) return;
  QDir root(m_root.path());
  root.mkpath(Source());
  root.mkpath(Dest());
  QDir::setCurrent(m_root.path());
}

Workspace::~Workspace() { QDir::setCurrent(m_previousDir); }

SettingsRecord Workspace::PrefixSettings() const {
  SettingsRecord record = DefaultSettings();
  record.sourceFolder = QFile::encodeName(Source()).toStdString();
  record.destFolder = QFile::encodeName(Dest()).toStdString();
  record.autoCodeOn = 0;
  record.prefixText = "旅行-";
  record.serialOn = 0;
  record.appendOn = 1;
  record.noConfirm = 0;
  record.namingMode = 1;
  return record;
}

void Workspace::WriteSettings(const SettingsRecord& record) const {
  QFile file(QStringLiteral("Kelvora.ini"));
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  const std::string line = FormatSettingsLine(record);
  QCOMPARE(file.write(line.data(), static_cast<qint64>(line.size())), static_cast<qint64>(line.size()));
}

SettingsRecord Workspace::ReadSettings() const {
  QFile file(QStringLiteral("Kelvora.ini"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return ParseSettingsLine(file.readAll().toStdString()).value_or(SettingsRecord{});
}

QString Workspace::AddFile(const QString& folder, const QString& name) const {
  QDir(m_root.path()).mkpath(folder);
  const QString path = QDir(folder).filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(name.toUtf8());
  return path;
}

QStringList Workspace::Files(const QString& folder) {
  return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

}  // namespace kelvora::gui
