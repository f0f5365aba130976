#include <windows.h>

#include "app/TarnwickApp.h"
#include "gui/win32/Win32DialogHost.h"
#include "platform/fs/win32/Win32FileSystem.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The shell's folder dialog needs COM on this thread.
  OleInitialize(nullptr);
  char executable[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, executable, MAX_PATH);

  kelvora::Win32FileSystem fileSystem;
  kelvora::gui::Win32DialogHost host(instance);
  kelvora::CTarnwickApp app(host, fileSystem, executable);
  if (host.Start(app.MainDialog()) == nullptr) return 1;
  const int status = host.Ended() ? 0 : host.Run();
  OleUninitialize();
  return status;
}
