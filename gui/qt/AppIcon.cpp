#include "gui/qt/AppIcon.h"

// The icons are compiled into the static host library; nothing else refers to them, so the linker would
// drop them unless they are registered by name. Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterIconResources() { Q_INIT_RESOURCE(kelvora); }

namespace kelvora::gui {

QIcon AppIcon() {
  RegisterIconResources();
  QIcon icon;
  icon.addFile(QStringLiteral(":/icons/kelvora-16.png"));
  icon.addFile(QStringLiteral(":/icons/kelvora-32.png"));
  icon.addFile(QStringLiteral(":/icons/kelvora.png"));
  return icon;
}

}  // namespace kelvora::gui
