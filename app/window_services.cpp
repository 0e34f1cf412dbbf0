#include "app/window_services.h"

#include <QVariant>
#include <QWidget>

#include "app/ui_services.h"

namespace hehun::ui {

namespace {
constexpr char kProperty[] = "hehunUiServices";
}

void SetWindowServices(QWidget* window, UiServices* services) {
  window->setProperty(kProperty, QVariant::fromValue(static_cast<void*>(services)));
}

UiServices& ServicesOf(QWidget* widget) {
  for (QWidget* w = widget; w != nullptr; w = w->parentWidget()) {
    const QVariant v = w->property(kProperty);
    if (v.isValid() && v.value<void*>() != nullptr) return *static_cast<UiServices*>(v.value<void*>());
  }
  static DesktopServices desktop;
  return desktop;
}

}  // namespace hehun::ui
