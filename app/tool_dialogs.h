// How the function page opens its tool dialogs, and the naming-service
// information dialog.
#pragma once

#include <QDialog>
#include <QPointer>

namespace hehun::ui {

// Opens a fresh modal dialog of class D: the dialog that `current` points
// to (from the previous opening) is destroyed first, the new one becomes
// `current`, and the call returns when it closes. Dialogs that destroy
// themselves on closing leave `current` empty by themselves.
template <class D>
void OpenToolDialog(QPointer<D>& current, QWidget* owner) {
  delete current.data();
  current = new D(owner);
  current->exec();
}

// The same for a dialog that takes what it needs from the main window when
// it opens.
template <class D, class Arg>
void OpenToolDialog(QPointer<D>& current, QWidget* owner, const Arg& arg) {
  delete current.data();
  current = new D(owner, arg);
  current->exec();
}

// 起名服务: what a good Chinese name takes into account.
class TFrmQiming : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmQiming(QWidget* parent = nullptr);
};

}  // namespace hehun::ui
