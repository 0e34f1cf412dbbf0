// Program entry: the application object, its title and the main window.
#include <QApplication>
#include <QScreen>

#include "app/frm_index.h"
#include "refdb/messages.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(hehun::kAppTitle.data(), hehun::kAppTitle.size()));
  hehun::ui::TFrmIndex window;
  const QRect screen = window.screen()->availableGeometry();
  window.move(screen.center() - window.rect().center());
  window.show();
  return app.exec();
}
