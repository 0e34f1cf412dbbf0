// Program entry: the application object, its title and the main window.
#include <QApplication>

#include "app/appearance.h"
#include "app/frm_index.h"
#include "app/translations.h"
#include "app/ui_services.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::InstallQtTranslations(app);
  hehun::ui::ApplyAppearance(app);
  auto* window = new hehun::ui::TFrmIndex;
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->show();
  return app.exec();
}
