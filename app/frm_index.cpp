#include "app/frm_index.h"

#include <QApplication>
#include <QScreen>

namespace hehun::ui {

TFrmIndex::TFrmIndex(QWidget* parent) : QWidget(parent) {
  setObjectName("TFrmIndex");
  setWindowTitle(QApplication::applicationName());
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setFixedSize(800, 590);
}

}  // namespace hehun::ui
