#include "app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>
#include <vector>

namespace hehun::ui {

bool InstallQtTranslations(QCoreApplication& app, bool traditional) {
  // The translators of the previous call give way to the new ones.
  static std::vector<QPointer<QTranslator>> installed;
  for (const QPointer<QTranslator>& old : installed) {
    if (old == nullptr) continue;
    QCoreApplication::removeTranslator(old);
    delete old;
  }
  installed.clear();
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  // Qt ships one Traditional catalogue (zh_TW); Hong Kong and Macao read it too.
  const QLocale chinese = traditional ? QLocale(QLocale::Chinese, QLocale::TraditionalChineseScript, QLocale::Taiwan)
                                      : QLocale(QLocale::Chinese, QLocale::China);
  bool baseLoaded = false;
  // "qt" is a catalogue of the modules' own catalogues; "qtbase" carries the
  // widgets' texts. Both are loaded so that either packaging works.
  for (const char* name : {"qtbase", "qt"}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(chinese, QString::fromLatin1(name), QStringLiteral("_"), folder)) {
      app.installTranslator(translator);
      installed.emplace_back(translator);
      if (QLatin1String(name) == QLatin1String("qtbase")) baseLoaded = true;
    } else {
      delete translator;
    }
  }
  return baseLoaded;
}

}  // namespace hehun::ui
