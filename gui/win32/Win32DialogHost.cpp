#include "gui/win32/Win32DialogHost.h"

#include <shellapi.h>
#include <shlobj.h>

#include "gui/win32/InMemoryTemplate.h"
#include "res/Strings.h"
#include "res/Templates.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

// The items of a WM_DROPFILES, as the shell hands them over.
class ShellDrop final : public DropObject {
 public:
  explicit ShellDrop(HDROP drop) : m_drop(drop) {}
  unsigned Count() override { return DragQueryFileA(m_drop, 0xFFFFFFFF, nullptr, 0); }
  std::string Path(unsigned index) override {
    char path[MAX_PATH] = {};
    const UINT length = DragQueryFileA(m_drop, index, path, MAX_PATH);
    return std::string(path, length);
  }
  void Finish() override { DragFinish(m_drop); }

 private:
  HDROP m_drop;
};

INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
    EndDialog(box, LOWORD(wParam));
    return TRUE;
  }
  return FALSE;
}

int CALLBACK OpenAtStartFolder(HWND dialog, UINT message, LPARAM, LPARAM startFolder) {
  if (message == BFFM_INITIALIZED) SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, startFolder);
  return 0;
}

bool IsInput(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

std::string WindowText(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

}  // namespace

Win32DialogHost::~Win32DialogHost() {
  if (m_window != nullptr) DestroyWindow(m_window);
}

HWND Win32DialogHost::Start(CTarnwickDlg& dialog) {
  m_dialog = &dialog;
  m_icon = LoadIconA(m_instance, MAKEINTRESOURCEA(IDR_MAINFRAME));
  m_template = BuildDialogTemplate(dialog.Template());
  CreateDialogIndirectParamW(m_instance, reinterpret_cast<LPCDLGTEMPLATEW>(m_template.data()), nullptr,
                             &DialogProc, reinterpret_cast<LPARAM>(this));
  return m_window;
}

int Win32DialogHost::Run() {
  MSG message;
  while (!m_ended && GetMessageA(&message, nullptr, 0, 0) > 0) HandleMessage(message);
  return m_status;
}

void Win32DialogHost::HandleMessage(MSG& message) {
  if (message.message == WM_KEYDOWN && message.wParam == VK_F5 && IsInMainWindow(message.hwnd)) {
    m_dialog->OnSysCommand(IDM_PREVIEW);
    return;
  }
  if (m_preview && m_preview->HandleMessage(message)) return;
  if (m_window != nullptr && IsDialogMessageA(m_window, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

bool Win32DialogHost::IsInMainWindow(HWND window) const {
  return m_window != nullptr && window != nullptr && (window == m_window || IsChild(m_window, window));
}

INT_PTR CALLBACK Win32DialogHost::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* host = reinterpret_cast<Win32DialogHost*>(lParam);
    host->m_window = window;
  }
  auto* host = reinterpret_cast<Win32DialogHost*>(GetWindowLongPtrA(window, DWLP_USER));
  return host != nullptr ? host->Handle(message, wParam) : FALSE;
}

INT_PTR Win32DialogHost::Handle(UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitWindow();
      // True: the focus goes to the first control with a tab stop, the default button.
      return m_dialog->OnInitDialog() ? TRUE : FALSE;
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_SYSCOMMAND: {
      const int command = static_cast<int>(wParam & 0xFFF0);
      if (command != IDM_ABOUTBOX && command != IDM_PREVIEW) return FALSE;
      m_dialog->OnSysCommand(command);
      return TRUE;
    }
    case WM_CLOSE:
      m_dialog->OnCommand(IDCANCEL);
      return TRUE;
    case WM_DROPFILES: {
      ShellDrop drop(reinterpret_cast<HDROP>(wParam));
      m_dialog->OnDropFiles(drop);
      return TRUE;
    }
    default:
      return FALSE;
  }
}

// The system menu's preview and About items, the icons, and every control as the model holds it.
void Win32DialogHost::InitWindow() {
  if (HMENU menu = GetSystemMenu(m_window, FALSE)) {
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, IDM_PREVIEW, text::kPreviewMenuItem);
    AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, text::kAboutMenuItem);
  }
  SendMessageA(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));
  SendMessageA(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon));
  for (const ControlState& control : m_dialog->Controls())
    if (control.source->id != IDC_STATIC) Mirror(control.source->id);
}

void Win32DialogHost::OnCommand(int id, int code) {
  // Esc, the close box and the system menu's close item all come as command 2.
  if (id == IDCANCEL) {
    m_dialog->OnCommand(IDCANCEL);
    return;
  }
  const HWND control = GetDlgItem(m_window, id);
  if (control == nullptr) return;
  if (code == BN_CLICKED) {
    m_dialog->Click(id);
    // An automatic box has already changed itself; the model has the last word, also when it refused.
    Mirror(id);
  } else if (code == EN_CHANGE && !m_mirroring) {
    m_dialog->TypeText(id, WindowText(control));
    Mirror(id);
  }
}

void Win32DialogHost::Mirror(int id) {
  const HWND control = GetDlgItem(m_window, id);
  if (control == nullptr) return;
  const ControlState& state = m_dialog->Control(id);
  m_mirroring = true;
  if (WindowText(control) != state.text) SetWindowTextA(control, state.text.c_str());
  if (state.source->kind == ControlKind::kCheckBox || state.source->kind == ControlKind::kRadioButton)
    SendMessageA(control, BM_SETCHECK, state.check ? BST_CHECKED : BST_UNCHECKED, 0);
  if (state.source->kind == ControlKind::kEdit) SendMessageA(control, EM_SETREADONLY, state.readOnly, 0);
  ::EnableWindow(control, state.enabled);
  ShowWindow(control, state.visible ? SW_SHOWNA : SW_HIDE);
  m_mirroring = false;
}

void Win32DialogHost::MessageBox(const std::string& text, int icon, const std::string& caption) {
  ShowMessageBox(text, MB_OK | static_cast<UINT>(icon), caption);
}

void Win32DialogHost::ShowMessageBox(const std::string& text, UINT type, const std::string& caption) {
  ::MessageBoxA(m_window, text.c_str(), caption.c_str(), type);
}

std::optional<std::string> Win32DialogHost::BrowseForFolder(const std::string& title,
                                                            const std::string& startFolder) {
  return PickFolder(title, startFolder);
}

std::optional<std::string> Win32DialogHost::PickFolder(const std::string& title, const std::string& startFolder) {
  char display[MAX_PATH] = {};
  BROWSEINFOA info = {};
  info.hwndOwner = m_window;
  info.pszDisplayName = display;
  info.lpszTitle = title.c_str();
  // Only folders of the file system: a virtual folder (the printers, the control panel) has no path.
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  if (!startFolder.empty()) {
    info.lpfn = &OpenAtStartFolder;
    info.lParam = reinterpret_cast<LPARAM>(startFolder.c_str());
  }
  const PIDLIST_ABSOLUTE chosen = SHBrowseForFolderA(&info);
  if (chosen == nullptr) return std::nullopt;
  char path[MAX_PATH] = {};
  const bool found = SHGetPathFromIDListA(chosen, path);
  CoTaskMemFree(chosen);
  if (!found) return std::nullopt;
  return std::string(path);
}

void Win32DialogHost::ShowAboutBox() {
  const std::vector<WORD> about = BuildDialogTemplate(AboutDialogTemplate());
  DialogBoxIndirectParamW(m_instance, reinterpret_cast<LPCDLGTEMPLATEW>(about.data()), m_window, &AboutProc, 0);
}

WindowRect Win32DialogHost::GetWindowRect() {
  RECT frame = {};
  ::GetWindowRect(m_window, &frame);
  return {frame.left, frame.top, frame.right, frame.bottom};
}

void Win32DialogHost::ShowWindowAt(int x, int y) {
  SetWindowPos(m_window, HWND_NOTOPMOST, x, y, 0, 0, SWP_NOSIZE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

void Win32DialogHost::DragAcceptFiles(bool accept) { ::DragAcceptFiles(m_window, accept); }

void Win32DialogHost::ControlChanged(int id) {
  // The model notifies from its start-up on; the window mirrors every control once it exists.
  if (m_window != nullptr) Mirror(id);
}

// The window's turn during a batch: what the window system asks (painting, moving and minimising through
// the frame) is answered; keys and clicks inside the window are dropped, except those that close it.
void Win32DialogHost::KeepAlive() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (IsInput(message.message) && !IsCloseRequest(message)) continue;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
      m_dialog->OnCommand(IDCANCEL);
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

// Esc, Alt+F4 and a click on the button IDCANCEL; the close box and the window menu come through the frame.
bool Win32DialogHost::IsCloseRequest(const MSG& message) const {
  // The preview's keys are its own: Esc there would only hide it, and must not stop the batch.
  if (m_preview && m_preview->Owns(message.hwnd)) return false;
  if (message.message == WM_KEYDOWN) return message.wParam == VK_ESCAPE;
  if (message.message == WM_SYSKEYDOWN) return message.wParam == VK_F4;
  return message.hwnd != nullptr && message.hwnd == GetDlgItem(m_window, IDCANCEL);
}

void Win32DialogHost::ShowPreview() {
  if (!m_preview) m_preview = std::make_unique<PreviewWindow>(m_instance, *m_dialog, m_window);
  m_preview->Show();
}

void Win32DialogHost::PlanInputsChanged() {
  if (m_preview) m_preview->ScheduleReplan();
}

void Win32DialogHost::EndProcess(int status) {
  m_status = status;
  m_ended = true;
  // Hiding a window leaves those it owns on the screen.
  if (m_preview) m_preview->Hide();
  ShowWindow(m_window, SW_HIDE);
  PostQuitMessage(status);
}

}  // namespace kelvora::gui
