#include "app/program_icon.h"

namespace hehun::ui {

QString DesktopName() { return QStringLiteral("hehun"); }

QIcon ProgramIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/icons/hehun-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace hehun::ui
