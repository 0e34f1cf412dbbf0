// The main window of the program.
#pragma once

#include <QWidget>

namespace hehun::ui {

class TFrmIndex : public QWidget {
  Q_OBJECT
 public:
  explicit TFrmIndex(QWidget* parent = nullptr);
};

}  // namespace hehun::ui
