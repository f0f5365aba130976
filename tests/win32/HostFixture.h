#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/TarnwickApp.h"
#include "gui/win32/Win32DialogHost.h"
#include "platform/fs/win32/Win32FileSystem.h"
#include "platform/win32/TempFolder.h"

namespace kelvora::gui {

struct ShownBox {
  std::string text;
  UINT type;
};

/// Answers every message box and the folder dialog itself, so no test waits for a user.
class AnsweringHost final : public Win32DialogHost {
 public:
  using Win32DialogHost::Win32DialogHost;
  std::vector<ShownBox> boxes;
  /// Runs once, while the next box is open: a batch's box is shown while the batch still runs.
  std::function<void()> whileNextBoxIsOpen;

 protected:
  void ShowMessageBox(const std::string& text, UINT type, const std::string&) override {
    boxes.push_back({text, type});
    if (whileNextBoxIsOpen) std::exchange(whileNextBoxIsOpen, nullptr)();
  }
  std::optional<std::string> PickFolder(const std::string&, const std::string&) override { return std::nullopt; }
};

inline std::string Text(HWND window) {
  char text[512] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

/// Handles the program's messages as its loop does until `done` holds; false when it still does not after a few
/// seconds.
inline bool PumpUntil(Win32DialogHost& host, const std::function<bool()>& done) {
  const ULONGLONG deadline = GetTickCount64() + 5000;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) host.HandleMessage(message);
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now), QS_ALLINPUT);
  }
}

/// The program's window on a host that answers its boxes. Each test runs in a folder of its own, which holds the
/// program's .\Kelvora.ini.
class HostFixture : public testing::Test {
 protected:
  HostFixture() {
    SetCurrentDirectoryA(workspace.path().c_str());
    window = host.Start(app.MainDialog());
  }
  ~HostFixture() override { SetCurrentDirectoryA(TempParent().c_str()); }

  HWND Item(int id) const { return GetDlgItem(window, id); }
  const CTarnwickDlg& Dialog() { return app.MainDialog(); }

  TempFolder workspace;
  Win32FileSystem fileSystem;
  AnsweringHost host{GetModuleHandleA(nullptr)};
  CTarnwickApp app{host, fileSystem, "C:\\Kelvora\\kelvora.exe"};
  HWND window = nullptr;
};

}  // namespace kelvora::gui
