#include "gui/win32/InMemoryTemplate.h"

#include <string>

#include "res/resource.h"

namespace kelvora::gui {
namespace {

// Atoms of the predefined window classes a template may name instead of a class name.
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

class TemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(const char* text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    for (const wchar_t c : wide) Word(static_cast<WORD>(c));  // ends with the terminating zero
  }
  void Ordinal(WORD value) {
    Word(0xFFFF);
    Word(value);
  }
  // Every control's entry starts on a DWORD boundary.
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

WORD ClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kCheckBox:
    case ControlKind::kRadioButton:
    case ControlKind::kGroupBox:
      return kButtonClass;
    case ControlKind::kEdit:
      return kEditClass;
    case ControlKind::kStatic:
    case ControlKind::kIcon:
      return kStaticClass;
  }
  return kStaticClass;
}

DWORD KindStyle(const ControlTemplate& control) {
  const bool automatic = control.style & kStyleAuto;
  switch (control.kind) {
    case ControlKind::kPushButton:
      return (control.style & kStyleDefault) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    case ControlKind::kCheckBox:
      return automatic ? BS_AUTOCHECKBOX : BS_CHECKBOX;
    case ControlKind::kRadioButton:
      return automatic ? BS_AUTORADIOBUTTON : BS_RADIOBUTTON;
    case ControlKind::kGroupBox:
      return BS_GROUPBOX;
    case ControlKind::kEdit:
      return ES_LEFT | ((control.style & kStyleAutoHScroll) ? ES_AUTOHSCROLL : 0) |
             ((control.style & kStyleReadOnly) ? ES_READONLY : 0) | ((control.style & kStyleCentre) ? ES_CENTER : 0);
    case ControlKind::kStatic:
      return (control.style & kStyleCentre) ? SS_CENTER : SS_LEFT;
    case ControlKind::kIcon:
      return SS_ICON;
  }
  return 0;
}

}  // namespace

DWORD ControlWindowStyle(const ControlTemplate& control) {
  return WS_CHILD | KindStyle(control) | ((control.style & kStyleHidden) ? 0 : WS_VISIBLE) |
         ((control.style & kStyleTabStop) ? WS_TABSTOP : 0) | ((control.style & kStyleGroup) ? WS_GROUP : 0) |
         ((control.style & kStyleBorder) ? WS_BORDER : 0);
}

std::vector<WORD> BuildDialogTemplate(const DialogTemplate& dialog) {
  TemplateWriter out;
  out.Word(1);       // dlgVer
  out.Word(0xFFFF);  // signature: DLGTEMPLATEEX
  out.Dword(0);      // helpID
  out.Dword(dialog.minimizeBox ? WS_EX_APPWINDOW : 0);
  out.Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT |
            (dialog.minimizeBox ? WS_MINIMIZEBOX : 0));
  out.Word(static_cast<WORD>(dialog.controls.size()));
  out.Word(0);  // x and y: the window is placed by the program
  out.Word(0);
  out.Word(static_cast<WORD>(dialog.cx));
  out.Word(static_cast<WORD>(dialog.cy));
  out.Word(0);  // no menu
  out.Word(0);  // the system's dialog class
  out.Text(dialog.caption);
  out.Word(static_cast<WORD>(dialog.pointSize));
  out.Word(FW_NORMAL);
  out.Word(MAKEWORD(FALSE, DEFAULT_CHARSET));  // italic, charset
  out.Text(dialog.fontFace);

  for (const ControlTemplate& control : dialog.controls) {
    out.AlignToDword();
    out.Dword(0);  // helpID
    out.Dword(0);  // extended style
    out.Dword(ControlWindowStyle(control));
    out.Word(static_cast<WORD>(control.rect.x));
    out.Word(static_cast<WORD>(control.rect.y));
    out.Word(static_cast<WORD>(control.rect.cx));
    out.Word(static_cast<WORD>(control.rect.cy));
    out.Dword(static_cast<DWORD>(control.id));
    out.Ordinal(ClassOf(control.kind));
    if (control.kind == ControlKind::kIcon) {
      out.Ordinal(IDR_MAINFRAME);
    } else {
      out.Text(control.text);
    }
    out.Word(0);  // no creation data
  }
  return out.Take();
}

}  // namespace kelvora::gui
