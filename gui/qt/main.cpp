#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <iostream>

#include "app/TarnwickApp.h"
#include "cli/CommandLine.h"
#include "gui/qt/AppIcon.h"
#include "gui/qt/QtDialogHost.h"
#include "platform/fs/posix/PosixFileSystem.h"

int main(int argc, char* argv[]) {
  // Arguments ask for a batch without the window: decided before Qt is set up, so no display is needed.
  if (argc > 1) {
    kelvora::PosixFileSystem fileSystem;
    return kelvora::cli::Main(argc, argv, fileSystem, std::cout, std::cerr);
  }
  QApplication application(argc, argv);
  // Only the exit command ends the program, after saving the settings; a settings message box closed
  // before the window first shows is no reason to quit.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(kelvora::gui::AppIcon());
  // The window speaks Japanese whatever the user's locale; Qt's own texts (an edit's context menu, the
  // folder dialog) follow it.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::Japanese), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);

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
