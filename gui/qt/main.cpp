#include <QApplication>

#include "app/TarnwickApp.h"
#include "gui/qt/AppIcon.h"
#include "gui/qt/QtDialogHost.h"
#include "platform/fs/posix/PosixFileSystem.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // Only the exit command ends the program, after saving the settings; a settings message box closed
  // before the window first shows is no reason to quit.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(kelvora::gui::AppIcon());

  kelvora::PosixFileSystem fileSystem;
  kelvora::gui::QtDialogHost host;
  kelvora::CTarnwickApp app(host, fileSystem, argv[0]);
  // Queued, so that the handler that ended the program returns before the event loop is left.
  QObject::connect(
      &host, &kelvora::gui::QtDialogHost::ended, &application, [](int status) { QCoreApplication::exit(status); },
      Qt::QueuedConnection);
  host.Start(app.MainDialog());
  return QApplication::exec();
}
