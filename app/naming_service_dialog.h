// 起名服务: the information dialog on what a good Chinese name takes into
// account.
#pragma once

#include <QDialog>

namespace hehun::ui {

class NamingServiceDialog : public QDialog {
  Q_OBJECT
 public:
  explicit NamingServiceDialog(QWidget* parent = nullptr);
};

}  // namespace hehun::ui
