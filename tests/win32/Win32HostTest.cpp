#include <windows.h>
#include <shlobj.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "HostFixture.h"
#include "res/Strings.h"
#include "res/Templates.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

const char* ExpectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::kEdit: return "Edit";
    case ControlKind::kStatic:
    case ControlKind::kIcon: return "Static";
    case ControlKind::kPushButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kGroupBox: return "Button";
  }
  return "";
}

class Win32HostTest : public HostFixture {};

TEST_F(Win32HostTest, StartsWithTheMissingFileWarningAndShowsTheWindowWhereTheRecordSays) {
  ASSERT_NE(window, nullptr);
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].text, text::kSettingsMissing);
  EXPECT_EQ(host.boxes[0].type, UINT{MB_OK | MB_ICONEXCLAMATION});
  EXPECT_TRUE(IsWindowVisible(window));
  RECT frame;
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  char caption[64] = {};
  GetWindowTextA(window, caption, sizeof caption);
  EXPECT_STREQ(caption, "Kelvora 5.0");
  EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0) << "the icon resource is in the program";
}

// The children in creation order are the template's controls in template order.
TEST_F(Win32HostTest, EveryControlHasItsIdTextStyleAndPlace) {
  const DialogTemplate& dialog = MainDialogTemplate();
  HWND child = GetWindow(window, GW_CHILD);
  for (const ControlTemplate& control : dialog.controls) {
    SCOPED_TRACE(control.text);
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(GetDlgCtrlID(child), control.id);
    EXPECT_EQ(ClassName(child), ExpectedClass(control.kind));
    const std::string shown = control.id == IDC_STATIC ? control.text : Dialog().Control(control.id).text;
    EXPECT_EQ(Text(child), shown);

    const LONG style = GetWindowLongA(child, GWL_STYLE);
    // A radio button has the tab stop while it is selected, as the system sets it.
    if (control.kind != ControlKind::kRadioButton) {
      EXPECT_EQ((style & WS_TABSTOP) != 0, (control.style & kStyleTabStop) != 0);
    }
    EXPECT_EQ((style & WS_GROUP) != 0, (control.style & kStyleGroup) != 0);
    EXPECT_EQ((style & WS_VISIBLE) != 0, (control.style & kStyleHidden) == 0);
    // The dialog draws an edit's border as a sunken edge.
    const bool bordered = (style & WS_BORDER) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(bordered, (control.style & kStyleBorder) != 0);

    // Position and size are converted to pixels each on its own, as the dialog does.
    RECT expected = {control.rect.x, control.rect.y, control.rect.cx, control.rect.cy};
    MapDialogRect(window, &expected);
    expected.right += expected.left;
    expected.bottom += expected.top;
    RECT actual;
    GetWindowRect(child, &actual);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    if (control.kind != ControlKind::kIcon) {
      EXPECT_EQ(actual.right, expected.right);
      EXPECT_EQ(actual.bottom, expected.bottom);
    }
    child = GetWindow(child, GW_HWNDNEXT);
  }
  EXPECT_EQ(child, nullptr);

  // Facts of the kinds that the loop above does not see.
  EXPECT_EQ(GetWindowLongA(Item(IDOK), GWL_STYLE) & 0xF, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongA(Item(IDC_NO_CONFIRM), GWL_STYLE) & 0xF, BS_AUTOCHECKBOX);
  EXPECT_EQ(GetWindowLongA(Item(IDC_MODE_STAMP), GWL_STYLE) & 0xF, BS_AUTORADIOBUTTON);
  EXPECT_TRUE(GetWindowLongA(Item(IDC_SRC_FOLDER), GWL_STYLE) & ES_AUTOHSCROLL);
  EXPECT_TRUE(GetWindowLongA(Item(IDC_COUNT), GWL_STYLE) & ES_READONLY);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZEBOX);
}

TEST_F(Win32HostTest, ClicksAndTypingReachTheModelAndTheModelReachesTheControls) {
  ASSERT_EQ(Dialog().Control(IDC_AUTO).check, 1);
  SendMessageA(Item(IDC_AUTO), BM_CLICK, 0, 0);
  EXPECT_EQ(Dialog().Control(IDC_AUTO).check, 0);
  EXPECT_EQ(SendMessageA(Item(IDC_AUTO), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(Text(Item(IDC_AUTO)), text::kManualLabel) << "the handler's new label is shown";
  EXPECT_FALSE(GetWindowLongA(Item(IDC_PREFIX), GWL_STYLE) & ES_READONLY) << "MANUAL lets the text be typed";

  SetWindowTextA(Item(IDC_PREFIX), "TRIP-");
  EXPECT_EQ(Dialog().Control(IDC_PREFIX).text, "TRIP-");

  // A disabled control takes no click: date-time mode disables AUTO.
  SendMessageA(Item(IDC_MODE_STAMP), BM_CLICK, 0, 0);
  EXPECT_EQ(Dialog().GetRadioGroup(IDC_MODE_STAMP), 0);
  EXPECT_FALSE(IsWindowEnabled(Item(IDC_AUTO)));
}

TEST_F(Win32HostTest, DroppedFilesRunTheDroppedFilesBatch) {
  const std::string source = workspace / "src";
  const std::string dest = workspace / "dst";
  CreateDirectoryA(source.c_str(), nullptr);
  CreateDirectoryA(dest.c_str(), nullptr);
  Write(source + "\\a.jpg", "a");
  SetWindowTextA(Item(IDC_SRC_FOLDER), source.c_str());
  SetWindowTextA(Item(IDC_DST_FOLDER), dest.c_str());
  SendMessageA(Item(IDC_DRAGDROP), BM_CLICK, 0, 0);
  ASSERT_EQ(Dialog().Control(IDC_DRAGDROP).check, 1);
  EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
  host.boxes.clear();

  // What the shell sends: a DROPFILES header and the paths, each ending in a zero, and one zero more.
  const std::string path = source + "\\a.jpg";
  const SIZE_T size = sizeof(DROPFILES) + path.size() + 2;
  const HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = FALSE;
  std::memcpy(reinterpret_cast<char*>(files) + sizeof(DROPFILES), path.c_str(), path.size() + 1);
  GlobalUnlock(memory);
  SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);

  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(Exists(dest + "\\A000000_a.jpg"));
  ASSERT_EQ(host.boxes.size(), 1u);
  EXPECT_EQ(host.boxes[0].type, UINT{MB_OK | MB_ICONINFORMATION});
  EXPECT_EQ(Text(Item(IDC_COUNT)), "1");
}

TEST_F(Win32HostTest, SystemMenuEndsWithThePreviewAndTheAboutItemThatOpensTheAboutBox) {
  const HMENU menu = GetSystemMenu(window, FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 3);
  EXPECT_TRUE(GetMenuState(menu, count - 3, MF_BYPOSITION) & MF_SEPARATOR);
  EXPECT_EQ(GetMenuItemID(menu, count - 2), UINT{IDM_PREVIEW});
  EXPECT_EQ(GetMenuItemID(menu, count - 1), UINT{IDM_ABOUTBOX});
  char item[128] = {};
  GetMenuStringA(menu, count - 2, item, sizeof item, MF_BYPOSITION);
  EXPECT_STREQ(item, text::kPreviewMenuItem);
  GetMenuStringA(menu, count - 1, item, sizeof item, MF_BYPOSITION);
  EXPECT_STREQ(item, text::kAboutMenuItem);

  // The About box is modal: another thread closes it once it is there.
  std::atomic<bool> seen{false};
  std::thread closer([&] {
    for (int tries = 0; tries < 1000 && !seen; ++tries) {
      if (HWND about = FindWindowA(nullptr, AboutDialogTemplate().caption)) {
        seen = true;
        PostMessageA(about, WM_COMMAND, IDOK, 0);
      } else {
        Sleep(10);
      }
    }
  });
  SendMessageA(window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
  closer.join();
  EXPECT_TRUE(seen);
  EXPECT_TRUE(IsWindowVisible(window));
}

TEST_F(Win32HostTest, ClosingTheWindowIsTheExitCommand) {
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(host.Ended());
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(Exists(workspace / "Kelvora.ini"));
}

}  // namespace
}  // namespace kelvora::gui
