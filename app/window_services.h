// Which desktop services (message boxes, ...) a dialog uses: those of the
// window that owns it, so that the dialogs opened from the main window show
// their messages the way the main window does (and tests can answer them).
#pragma once

class QWidget;

namespace hehun::ui {

class UiServices;

// Makes `services` the services of `window` and of every dialog it owns.
void SetWindowServices(QWidget* window, UiServices* services);

// The services of the nearest owner of `widget` that has some; the real
// desktop dialogs when none has.
UiServices& ServicesOf(QWidget* widget);

}  // namespace hehun::ui
