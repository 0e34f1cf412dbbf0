#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace hehun::ui {

bool InstallQtTranslations(QCoreApplication& app) {
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  const QLocale chinese(QLocale::Chinese, QLocale::China);
  bool baseLoaded = false;
  // "qt" is a catalogue of the modules' own catalogues; "qtbase" carries the
  // widgets' texts. Both are loaded so that either packaging works.
  for (const char* name : {"qtbase", "qt"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(chinese, QString::fromLatin1(name), QStringLiteral("_"), folder)) {
      app.installTranslator(translator);
      if (QLatin1String(name) == QLatin1String("qtbase")) baseLoaded = true;
    } else {
      delete translator;
    }
  }
  return baseLoaded;
}

}  // namespace hehun::ui
