// The close button, the Esc key and the placement the small tool windows
// share (omen pages, 生男生女, 万年历).
#pragma once

class QBoxLayout;
class QPushButton;
class QWidget;

namespace hehun::ui {

// A "关闭" button (object name "ButtonClose") that closes `window`, put at
// the right end of a new row at the bottom of `layout` when one is given.
QPushButton* AddCloseButton(QWidget* window, QBoxLayout* layout = nullptr);

// Esc closes `window` (a QDialog closes on Esc by itself; a plain window does not).
void CloseOnEscape(QWidget* window);

// Moves `window` so that its centre lies on the centre of `owner`'s window;
// nothing without an owner.
void CentreOnOwner(QWidget* window, const QWidget* owner);

}  // namespace hehun::ui
