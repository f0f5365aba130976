#include "gui/qt/AboutBox.h"

#include <QPushButton>

#include "res/Templates.h"
#include "res/resource.h"

namespace kelvora::gui {

AboutBox::AboutBox(QWidget* parent) : QDialog(parent), m_view(*this, AboutDialogTemplate()) {
  connect(static_cast<QPushButton*>(m_view.Widget(IDOK)), &QPushButton::clicked, this, &QDialog::accept);
}

}  // namespace kelvora::gui
