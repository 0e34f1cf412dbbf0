// The program's icon (title bar, task bar, dialogs): the medallion with 囍,
// rendered at build time from packaging/hehun.svg at the sizes of the
// desktop's icon theme and built into the program.
#pragma once

#include <QIcon>

namespace hehun::ui {

// The name of the installed desktop entry and theme icon ("hehun").
QString DesktopName();

QIcon ProgramIcon();

}  // namespace hehun::ui
