// Qt's own texts (the buttons of message boxes, the file and print dialogs,
// the context menus of text fields) in Simplified Chinese, like the rest of
// the program.
#pragma once

class QCoreApplication;

namespace hehun::ui {

// Loads Qt's Simplified Chinese translations ("qt_zh_CN" and
// "qtbase_zh_CN" from Qt's translation folder) and installs them on the
// application. Returns true when Qt's base texts were found; without them
// the standard dialogs stay in English and the program runs on.
bool InstallQtTranslations(QCoreApplication& app);

}  // namespace hehun::ui
