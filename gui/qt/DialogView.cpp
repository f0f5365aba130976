#include "gui/qt/DialogView.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/qt/AppIcon.h"
#include "gui/qt/ControlMirror.h"
#include "res/resource.h"

namespace kelvora::gui {
namespace {

/// Size of an icon control: a template gives icons no size of their own.
constexpr int kIconPixels = 32;

bool Has(const ControlTemplate& control, unsigned style) { return (control.style & style) != 0; }

Qt::WindowFlags WindowFlagsFor(const QDialog& owner, const DialogTemplate& dialogTemplate) {
  // A window without a parent is the program's own: it gets a taskbar entry and can be minimised.
  Qt::WindowFlags flags = (owner.parentWidget() ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (dialogTemplate.minimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  return flags;
}

// Labels were sized for the template's own font; in the fallback font a check box's label can be wider.
// It may then grow into the free space on its right, up to the next visible control of its row.
int UnitsFreeToTheRight(const DialogTemplate& dialogTemplate, const ControlTemplate& control) {
  int limit = dialogTemplate.cx;
  for (const ControlTemplate& other : dialogTemplate.controls) {
    if (other.rect.x <= control.rect.x || Has(other, kStyleHidden)) continue;
    const bool sameRow = other.rect.y < control.rect.y + control.rect.cy && control.rect.y < other.rect.y + other.rect.cy;
    if (sameRow) limit = std::min(limit, other.rect.x);
  }
  return limit - control.rect.x;
}

QWidget* CreateEdit(QDialog& owner, const ControlTemplate& control) {
  auto* edit = new QLineEdit(QString::fromUtf8(control.text), &owner);
  edit->setFrame(Has(control, kStyleBorder));
  if (Has(control, kStyleCentre)) edit->setAlignment(Qt::AlignCenter);
  SetEditReadOnly(*edit, Has(control, kStyleReadOnly));
  return edit;
}

QWidget* CreateLabel(QDialog& owner, const ControlTemplate& control) {
  auto* label = new QLabel(QString::fromUtf8(control.text), &owner);
  // Folder names may hold '<' or '&': texts are shown as they are, never as markup.
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  return label;
}

QWidget* CreateIcon(QDialog& owner) {
  auto* label = new QLabel(&owner);
  label->setPixmap(AppIcon().pixmap(kIconPixels, kIconPixels));
  return label;
}

}  // namespace

DialogView::DialogView(QDialog& owner, const DialogTemplate& dialogTemplate)
    : m_template(dialogTemplate) {
  owner.setWindowFlags(WindowFlagsFor(owner, dialogTemplate));
  owner.setWindowTitle(QString::fromUtf8(dialogTemplate.caption));
  owner.setWindowIcon(AppIcon());
  const QFont font = TemplateFont(dialogTemplate);
  owner.setFont(font);
  m_units = MeasureBaseUnits(font);
  owner.setFixedSize(ToPixels(dialogTemplate.cx, dialogTemplate.cy, m_units));

  QButtonGroup* radios = nullptr;
  QWidget* previousFocusable = nullptr;
  for (const ControlTemplate& control : dialogTemplate.controls) {
    QWidget* widget = CreateControl(owner, control);
    if (Has(control, kStyleGroup)) radios = nullptr;
    if (auto* radio = qobject_cast<QRadioButton*>(widget)) {
      // Each run of radios from a group start forms one group. Their checks are the model's to set, and
      // an exclusive group lets the arrow keys select within it.
      if (!radios) radios = new QButtonGroup(&owner);
      radios->addButton(radio);
    }
    if (control.kind == ControlKind::kIcon)
      widget->setGeometry(QRect(ToPixels(control.rect, m_units).topLeft(), QSize(kIconPixels, kIconPixels)));
    else
      widget->setGeometry(ToPixels(control.rect, m_units));
    if (control.kind == ControlKind::kCheckBox && widget->sizeHint().width() > widget->width()) {
      DialogRect wider = control.rect;
      wider.cx = std::max(wider.cx, UnitsFreeToTheRight(dialogTemplate, control));
      widget->setGeometry(ToPixels(wider, m_units));
    }
    // Every drop goes to the window: an edit would otherwise take a dropped file as text.
    widget->setAcceptDrops(false);
    if (Has(control, kStyleHidden)) widget->hide();
    if (widget->focusPolicy() != Qt::NoFocus) {
      widget->setFocusPolicy(Has(control, kStyleTabStop) ? Qt::StrongFocus : Qt::ClickFocus);
      if (previousFocusable) QWidget::setTabOrder(previousFocusable, widget);
      previousFocusable = widget;
    }
    if (control.kind == ControlKind::kGroupBox) widget->lower();
    m_widgets.push_back(widget);
    if (control.id != IDC_STATIC) m_byId.emplace(control.id, widget);
  }
}

QWidget* DialogView::Widget(int id) const {
  const auto found = m_byId.find(id);
  return found == m_byId.end() ? nullptr : found->second;
}

QWidget* DialogView::CreateControl(QDialog& owner, const ControlTemplate& control) {
  const QString text = QString::fromUtf8(control.text);
  switch (control.kind) {
    case ControlKind::kPushButton: {
      auto* button = new QPushButton(text, &owner);
      // As in any dialog, a focused push button takes Return; otherwise the default one does.
      button->setAutoDefault(true);
      button->setDefault(Has(control, kStyleDefault));
      return button;
    }
    case ControlKind::kEdit: return CreateEdit(owner, control);
    case ControlKind::kCheckBox: return new QCheckBox(text, &owner);
    case ControlKind::kRadioButton: return new QRadioButton(text, &owner);
    case ControlKind::kStatic: return CreateLabel(owner, control);
    case ControlKind::kGroupBox: return new QGroupBox(text, &owner);
    case ControlKind::kIcon: return CreateIcon(owner);
  }
  return nullptr;
}

}  // namespace kelvora::gui
