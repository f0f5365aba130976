#include "gui/qt/QtDialogHost.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

#include "gui/qt/AboutBox.h"

namespace kelvora::gui {
namespace {

QMessageBox::Icon BoxIcon(int icon) {
  switch (icon) {
    case kIconHand: return QMessageBox::Critical;
    case kIconExclamation: return QMessageBox::Warning;
    case kIconInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
  }
}

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QtDialogHost::QtDialogHost() = default;

QtDialogHost::~QtDialogHost() = default;

void QtDialogHost::Start(CTarnwickDlg& dialog) {
  m_window = std::make_unique<MainDialogWindow>(dialog);
  if (dialog.OnInitDialog()) m_window->FocusFirstControl();
}

void QtDialogHost::MessageBox(const std::string& text, int icon, const std::string& caption) {
  QMessageBox box(BoxIcon(icon), FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, m_window.get());
  // Reports quote file names, which are never markup.
  box.setTextFormat(Qt::PlainText);
  RunModal(box);
}

std::optional<std::string> QtDialogHost::BrowseForFolder(const std::string& title, const std::string& startFolder) {
  const QString folder = PickFolder(FromUtf8(title), QFile::decodeName(QByteArray::fromStdString(startFolder)));
  if (folder.isEmpty()) return std::nullopt;
  return QFile::encodeName(folder).toStdString();
}

void QtDialogHost::ShowAboutBox() {
  AboutBox box(m_window.get());
  RunModal(box);
}

void QtDialogHost::ShowPreview() { m_window->ShowPreview(); }

void QtDialogHost::PlanInputsChanged() {
  // Start-up changes controls before the window exists.
  if (m_window) m_window->PlanInputsChanged();
}

WindowRect QtDialogHost::GetWindowRect() {
  const QRect frame = m_window->frameGeometry();
  return {frame.x(), frame.y(), frame.x() + frame.width(), frame.y() + frame.height()};
}

void QtDialogHost::ShowWindowAt(int x, int y) {
  m_window->move(x, y);
  m_window->show();
}

void QtDialogHost::DragAcceptFiles(bool accept) { m_window->setAcceptDrops(accept); }

void QtDialogHost::ControlChanged(int id) {
  // The model notifies from its start-up on; the window mirrors every control once it is built.
  if (m_window) m_window->Mirror(id);
}

void QtDialogHost::KeepAlive() {
  // Paints and answers the window system; the window itself refuses the user's input while a batch runs.
  QCoreApplication::processEvents();
}

void QtDialogHost::EndProcess(int status) {
  m_window->hide();
  emit ended(status);
}

void QtDialogHost::RunModal(QDialog& box) { box.exec(); }

QString QtDialogHost::PickFolder(const QString& title, const QString& startFolder) {
  return QFileDialog::getExistingDirectory(m_window.get(), title, startFolder, QFileDialog::ShowDirsOnly);
}

}  // namespace kelvora::gui
