#pragma once

#include "ScriptedHost.h"
#include "app/TarnwickApp.h"
#include "system/SlowFileSystem.h"

namespace kelvora::gui {

/// The whole program on real widgets and the real file layer, with its modal boxes answered by the test.
struct Program {
  test::SlowFileSystem fileSystem;
  ScriptedHost host;
  CTarnwickApp app{host, fileSystem, "/usr/bin/kelvora"};

  Program() { host.Start(app.MainDialog()); }
  CTarnwickDlg& Dialog() { return app.MainDialog(); }
  MainDialogWindow& Window() { return *host.Window(); }
  template <typename T = QWidget>
  T* Control(int id) {
    return qobject_cast<T*>(Window().View().Widget(id));
  }
};

}  // namespace kelvora::gui
