// Program entry: the application object, its title and the main window.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/translations.h"
#include "app/ui_script.h"
#include "app/program_icon.h"
#include "app/ui_services.h"

int main(int argc, char** argv) {
  // Answered before any window opens (the manual page is made from them).
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) return std::puts("hehun " HEHUN_VERSION) < 0;
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0))
    return std::puts("用法：hehun [--help | --version]\n"
                     "打开瑞祺八字合婚配软件的窗口：八字合婚、个人八字与星座分析、黄历与结婚吉日、\n"
                     "号码与网名测算、民俗占卜和万年历。命令行版本见 hehun-cli --help。\n"
                     "  --help     显示本说明\n"
                     "  --version  显示版本号") < 0;
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::InstallQtTranslations(app);
  // 简体 or 繁體: the choice of the last run, at first start the system's.
  hehun::ui::SetScriptChoice(hehun::ui::RememberedScriptChoice(), false);
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
