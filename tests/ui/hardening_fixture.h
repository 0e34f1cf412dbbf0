// What the hardening tests of the windows share: a desktop stand-in that
// records the boxes, finding and filling controls by object name, and a copy
// of the reference data that a test may damage and compare.
#pragma once

#include <sqlite3.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <filesystem>
#include <map>

#include "app/ui_services.h"
#include "refdb/refdb.h"

namespace fs = std::filesystem;

namespace {

using hehun::ui::UiServices;

const QDate kToday(2024, 3, 5);

class FakeServices : public UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override { infos << text; }
  void Notice(QWidget*, const QString& text) override { notices << text; }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  QString ChooseSaveFile(QFileDialog*) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
  void OpenUrl(const QUrl&) override {}
  void Clear() { infos.clear(), notices.clear(), errors.clear(); }
  QStringList infos, notices, errors;
};

template <class W>
inline W* Find(QWidget& window, const QString& name) {
  W* w = window.findChild<W*>(name);
  if (w == nullptr) qFatal("no control %s", qPrintable(name));
  return w;
}

inline void Click(QWidget& w, const char* name) { Find<QAbstractButton>(w, QString::fromLatin1(name))->click(); }
inline void SetText(QWidget& w, const char* name, const QString& text) {
  if (auto* edit = w.findChild<QLineEdit*>(QString::fromLatin1(name)); edit && !qobject_cast<QComboBox*>(edit->parent()))
    edit->setText(text);
  else
    Find<QComboBox>(w, QString::fromLatin1(name))->setCurrentText(text);
}
inline void SetIndex(QWidget& w, const char* name, int index) { Find<QComboBox>(w, QString::fromLatin1(name))->setCurrentIndex(index); }
inline QString Memo(QWidget& w, const char* name) { return Find<QPlainTextEdit>(w, QString::fromLatin1(name))->toPlainText(); }

// Points the core at a data folder for as long as the object lives.
struct DataDir {
  explicit DataDir(const QString& dir) { hehun::SetDataDirOverride(dir.toStdString()); }
  ~DataDir() { hehun::SetDataDirOverride({}); }
};

// A copy of the data beside the program, to be damaged.
struct DataCopy {
  QTemporaryDir dir;
  DataCopy() {
    const fs::path bin = QCoreApplication::applicationDirPath().toStdString();
    const fs::path to = dir.path().toStdString();
    for (const char* db : {"BookFile.dll", "Tgcode.dll"}) fs::copy_file(bin / db, to / db);
    fs::copy(bin / "shensha", to / "shensha", fs::copy_options::recursive);
  }
  fs::path Path(const char* name) const { return fs::path(dir.path().toStdString()) / name; }
  void Damage(const QString& how) {
    const QStringList parts = how.split(QLatin1Char(' '));
    const QByteArray file = parts[0].toUtf8();
    const QString what = parts[1];
    if (what == QLatin1String("missing")) {
      fs::remove_all(Path(file.constData()));
    } else if (what == QLatin1String("empty")) {
      fs::resize_file(Path(file.constData()), 0);
    } else if (what == QLatin1String("garbage")) {
      QFile f(QString::fromStdString(Path(file.constData()).string()));
      if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) qFatal("cannot damage");
      f.write(QByteArray(3000, 'x'));
    } else if (what == QLatin1String("without")) {
      sqlite3* db = nullptr;
      const std::string path = Path(file.constData()).string();
      sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
      const std::string sql = "DROP TABLE " + parts[2].toStdString();
      if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) qFatal("cannot drop");
      sqlite3_close(db);
    }
  }
  // Every file with its checksum.
  std::map<QString, QByteArray> Fingerprint() const {
    std::map<QString, QByteArray> prints;
    QDirIterator it(dir.path(), QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
      const QString path = it.next();
      QFile f(path);
      prints[path] = f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                                 : QByteArray("folder");
    }
    return prints;
  }
};

}  // namespace
