#include "gui/win32/PreviewWindow.h"

#include <algorithm>
#include <string>

#include "engine/PlanTexts.h"
#include "res/Strings.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

constexpr char kClassName[] = "KelvoraPreview";
constexpr UINT_PTR kReplanTimer = 1;
// Long enough to take a word typed into a folder edit as one change, short enough to feel immediate.
constexpr UINT kReplanDelayMs = 150;

enum ChildId : int { kListId = 100, kCountId, kRefreshId };

// Sizes at 96 dots per inch.
constexpr int kWindowWidth = 820;
constexpr int kWindowHeight = 480;
constexpr int kMinWidth = 360;
constexpr int kMinHeight = 200;
constexpr int kOldNameWidth = 240;
constexpr int kNewNameWidth = 300;
constexpr int kMinWhatWidth = 160;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 26;

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(instance, kClassName, &existing)) return;
  WNDCLASSEXA windowClass = {};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
  windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  RegisterClassExA(&windowClass);
}

// Beside the owner's frame, moved back onto the owner's screen where it would leave it.
POINT PlaceBeside(HWND owner, int width, int height) {
  RECT frame = {};
  GetWindowRect(owner, &frame);
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  POINT place = {frame.right, frame.top};
  place.x = std::max(work.left, std::min(place.x, work.right - width));
  place.y = std::max(work.top, std::min(place.y, work.bottom - height));
  return place;
}

}  // namespace

PreviewWindow::PreviewWindow(HINSTANCE instance, CTarnwickDlg& dialog, HWND owner) : m_dialog(dialog) {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterWindowClass(instance, &WindowProc);
  NONCLIENTMETRICSA metrics = {};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  m_font = CreateFontIndirectA(&metrics.lfMessageFont);
  if (HDC screen = GetDC(nullptr)) {
    m_dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
  }
  const int width = Scaled(kWindowWidth);
  const int height = Scaled(kWindowHeight);
  const POINT place = PlaceBeside(owner, width, height);
  // A pop-up with an owner: the system hides it while the owner is minimised and destroys it with the owner.
  CreateWindowExA(0, kClassName, text::kPreviewTitle,
                  WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MAXIMIZEBOX | WS_CLIPCHILDREN, place.x,
                  place.y, width, height, owner, nullptr, instance, this);
}

PreviewWindow::~PreviewWindow() {
  if (m_window != nullptr) DestroyWindow(m_window);
  if (m_font != nullptr) DeleteObject(m_font);
}

void PreviewWindow::Show() {
  // Being shown plans when something changed meanwhile (WM_SHOWWINDOW), so the window opens with the plan.
  ShowWindow(m_window, SW_SHOW);
  SetForegroundWindow(m_window);
}

void PreviewWindow::Hide() { ShowWindow(m_window, SW_HIDE); }

void PreviewWindow::ScheduleReplan() {
  m_stale = true;
  // Setting the timer again starts its wait again.
  if (IsWindowVisible(m_window)) SetTimer(m_window, kReplanTimer, kReplanDelayMs, nullptr);
}

void PreviewWindow::Replan() {
  KillTimer(m_window, kReplanTimer);
  // A batch's message box runs a modal loop of its own; what the batch is doing is no plan.
  if (m_dialog.IsRunning()) return;
  m_stale = false;
  FolderPlan plan = m_dialog.PlanFolderBatch(false);
  const std::string counts = plan.refusal.empty() ? PlanCountLine(CountPlan(plan.entries)) : plan.refusal;
  SetWindowTextA(m_counts, counts.c_str());
  m_entries = std::move(plan.entries);
  // The list keeps where it was scrolled to, so a changed option shows its effect on the same rows.
  SendMessageA(m_list, LVM_SETITEMCOUNT, m_entries.size(), LVSICF_NOSCROLL);
  InvalidateRect(m_list, nullptr, FALSE);
  StretchLastColumn();
}

bool PreviewWindow::Owns(HWND window) const {
  return m_window != nullptr && window != nullptr && (window == m_window || IsChild(m_window, window));
}

bool PreviewWindow::HandleMessage(MSG& message) {
  if (!Owns(message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_F5) {
    Replan();
    return true;
  }
  return IsDialogMessageA(m_window, &message);
}

LRESULT CALLBACK PreviewWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* preview = static_cast<PreviewWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(preview));
    preview->m_window = window;
  }
  auto* preview = reinterpret_cast<PreviewWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (preview == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    preview->m_window = preview->m_list = preview->m_counts = preview->m_refresh = preview->m_lastFocus = nullptr;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return preview->Handle(message, wParam, lParam);
}

LRESULT PreviewWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateControls();
      return 0;
    case WM_NOTIFYFORMAT:
      // The list's notices carry the ANSI code page's bytes, as the names are held.
      return NFR_ANSI;
    case WM_SIZE:
      Layout();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      limits->ptMinTrackSize = {Scaled(kMinWidth), Scaled(kMinHeight)};
      return 0;
    }
    case WM_SHOWWINDOW:
      // Also when the owner comes back from being minimised.
      if (wParam && m_stale) Replan();
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        if (Owns(GetFocus())) m_lastFocus = GetFocus();
      } else if (!HIWORD(wParam)) {
        SetFocus(m_lastFocus != nullptr ? m_lastFocus : m_list);
      }
      return 0;
    case WM_TIMER:
      if (wParam == kReplanTimer) Replan();
      return 0;
    case WM_COMMAND:
      // Esc, through the dialog keys, comes as IDCANCEL.
      if (LOWORD(wParam) == IDCANCEL) Hide();
      if (LOWORD(wParam) == kRefreshId && HIWORD(wParam) == BN_CLICKED) Replan();
      return 0;
    case WM_NOTIFY:
      return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CLOSE:
      // The window stays for the next time; only the main window's end destroys it.
      Hide();
      return 0;
    default:
      break;
  }
  return DefWindowProcA(m_window, message, wParam, lParam);
}

void PreviewWindow::CreateControls() {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(m_window, GWLP_HINSTANCE));
  // Owner data: the list holds no rows, only their number, and asks for the texts of the rows it draws.
  m_list = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS, 0, 0, 0,
                           0, m_window, reinterpret_cast<HMENU>(kListId), instance, nullptr);
  SendMessageA(m_list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  const char* headers[] = {text::kPreviewOldName, text::kPreviewNewName, text::kPreviewWhat};
  const int widths[] = {kOldNameWidth, kNewNameWidth, kMinWhatWidth};
  for (int column = 0; column < 3; ++column) {
    LVCOLUMNA format = {};
    format.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    format.pszText = const_cast<char*>(headers[column]);
    format.cx = Scaled(widths[column]);
    format.iSubItem = column;
    SendMessageA(m_list, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&format));
  }
  // Refusals quote no markup: an ampersand is shown as it is.
  m_counts = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_CENTERIMAGE, 0, 0,
                             0, 0, m_window, reinterpret_cast<HMENU>(kCountId), instance, nullptr);
  m_refresh = CreateWindowExA(0, "BUTTON", text::kPreviewRefresh, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                              0, 0, 0, 0, m_window, reinterpret_cast<HMENU>(kRefreshId), instance, nullptr);
  for (HWND control : {m_list, m_counts, m_refresh})
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
}

// The list above, the count line and the button in a strip below it.
void PreviewWindow::Layout() {
  RECT client = {};
  GetClientRect(m_window, &client);
  const int margin = Scaled(kMargin);
  const int buttonWidth = Scaled(kButtonWidth);
  const int buttonHeight = Scaled(kButtonHeight);
  const int stripTop = std::max(0, static_cast<int>(client.bottom) - buttonHeight - 2 * margin);
  MoveWindow(m_list, 0, 0, client.right, stripTop, TRUE);
  MoveWindow(m_counts, margin, stripTop + margin, std::max(0, static_cast<int>(client.right) - buttonWidth - 3 * margin),
             buttonHeight, TRUE);
  MoveWindow(m_refresh, client.right - margin - buttonWidth, stripTop + margin, buttonWidth, buttonHeight, TRUE);
  StretchLastColumn();
}

// The last column takes the width the others leave, as far as it is not too narrow to read.
void PreviewWindow::StretchLastColumn() {
  RECT list = {};
  GetClientRect(m_list, &list);
  const int taken = static_cast<int>(SendMessageA(m_list, LVM_GETCOLUMNWIDTH, 0, 0) +
                                     SendMessageA(m_list, LVM_GETCOLUMNWIDTH, 1, 0));
  const int width = std::max(Scaled(kMinWhatWidth), static_cast<int>(list.right) - taken);
  SendMessageA(m_list, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(width, 0));
}

LRESULT PreviewWindow::OnNotify(const NMHDR& header) {
  if (header.hwndFrom != m_list) return 0;
  if (header.code == LVN_GETDISPINFOA) {
    auto& info = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header));
    const auto row = static_cast<std::size_t>(info.item.iItem);
    // The plan outlives the call: the list may read the text where it is.
    if ((info.item.mask & LVIF_TEXT) && row < m_entries.size())
      info.item.pszText = const_cast<char*>(CellText(row, info.item.iSubItem));
    return 0;
  }
  if (header.code == NM_CUSTOMDRAW)
    return CustomDraw(const_cast<NMLVCUSTOMDRAW&>(reinterpret_cast<const NMLVCUSTOMDRAW&>(header)));
  return 0;
}

const char* PreviewWindow::CellText(std::size_t row, int column) const {
  const PlannedEntry& entry = m_entries[row];
  switch (column) {
    case 0: return entry.oldName.c_str();
    case 1: return entry.newName.c_str();
    default: return PlannedStepText(entry.step);
  }
}

// The rows that stop the batch in red, those left in place greyed, as the Qt window draws them.
LRESULT PreviewWindow::CustomDraw(NMLVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT && draw.nmcd.dwItemSpec < m_entries.size()) {
    const PlannedStep step = m_entries[draw.nmcd.dwItemSpec].step;
    if (StopsBatch(step))
      draw.clrText = RGB(255, 0, 0);
    else if (step != PlannedStep::kMove)
      draw.clrText = GetSysColor(COLOR_GRAYTEXT);
  }
  return CDRF_DODEFAULT;
}

int PreviewWindow::Scaled(int pixels) const { return MulDiv(pixels, m_dpi, 96); }

}  // namespace kelvora::gui
