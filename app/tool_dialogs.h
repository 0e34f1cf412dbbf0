// How the function page opens its tool dialogs.
#pragma once

#include <QPointer>

namespace hehun::ui {

// Opens a fresh modal dialog of class D, made from `owner` and `args`: the
// dialog that `current` points to (from the previous opening) is destroyed
// first, the new one becomes `current`, and the call returns when it
// closes. Dialogs that destroy themselves on closing leave `current` empty
// by themselves.
template <class D, class... Args>
void OpenToolDialog(QPointer<D>& current, QWidget* owner, const Args&... args) {
  delete current.data();
  current = new D(owner, args...);
  current->exec();
}

}  // namespace hehun::ui
