// 生男生女: the conception table, editable on screen but never saved;
// closing only hides the window, the next opening replaces it.
#pragma once

#include <QDialog>

namespace hehun::ui {

class ConceptionTableWindow : public QDialog {
  Q_OBJECT
 public:
  explicit ConceptionTableWindow(QWidget* parent = nullptr);
};

}  // namespace hehun::ui
