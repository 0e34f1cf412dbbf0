// Program entry: the application object, its title and the main window.
#include <QApplication>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "app/program_icon.h"
#include "app/ui_services.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::InstallQtTranslations(app);
  // Ties the windows to the installed desktop entry (task bar grouping, the
  // icon on Wayland) and gives every window the program's icon.
  QApplication::setDesktopFileName(hehun::ui::DesktopName());
  QApplication::setWindowIcon(hehun::ui::ProgramIcon());
  hehun::ui::ApplyAppearance(app);
  auto* window = new hehun::ui::MainWindow;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return app.exec();
}
