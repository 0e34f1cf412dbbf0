// Qt's own texts (the buttons of message boxes, the file and print dialogs,
// the context menus of text fields) in the script the program shows:
// Simplified Chinese, or Traditional where the user chose 繁體.
#pragma once

class QCoreApplication;

namespace hehun::ui {

// Loads Qt's Chinese translations ("qt_zh_CN" and "qtbase_zh_CN" from Qt's
// translation folder, or their zh_TW forms when `traditional`) and installs
// them on the application, in place of those a previous call installed.
// Returns true when Qt's base texts were found; without them the standard
// dialogs stay in English and the program runs on.
bool InstallQtTranslations(QCoreApplication& app, bool traditional = false);

}  // namespace hehun::ui
