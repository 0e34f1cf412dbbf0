// What the main window's tests share: a desktop stand-in that records
// what the window asks of it, finding and clicking controls by object name,
// and filling in the rows of the page 合婚.
#pragma once

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinter>
#include <QUrl>
#include <functional>

#include "app/ui_services.h"

namespace {

const QDate kToday(2024, 3, 5);

class FakeServices : public hehun::ui::UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override {
    infos << text;
    if (onInfo) onInfo();
  }
  void Notice(QWidget*, const QString& text) override { notices << text; }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  QString ChooseSaveFile(QFileDialog* dialog) override {
    saveDialog = dialog;
    return saveTo;
  }
  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    if (pdfPath.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
  }
  void OpenUrl(const QUrl& url) override { urls << url; }

  QStringList infos, notices, errors;
  QList<QUrl> urls;
  QString saveTo, pdfPath;
  QFileDialog* saveDialog = nullptr;
  std::function<void()> onInfo;
};

template <class W>
inline W* Find(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

inline QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n')); }

inline void Click(QWidget& window, const char* name) { Find<QAbstractButton>(window, name)->click(); }

inline void FillRow(QWidget& w, const char* name, const char* calendar, const char* year, const char* month,
             const char* day, const char* hour, const char* minute, const QString& person, int calendarIndex,
             const QString& y, const QString& m, const QString& d, const QString& h, const QString& min) {
  Find<QLineEdit>(w, name)->setText(person);
  Find<QComboBox>(w, calendar)->setCurrentIndex(calendarIndex);
  Find<QComboBox>(w, year)->setCurrentText(y);
  Find<QComboBox>(w, month)->setCurrentText(m);
  Find<QComboBox>(w, day)->setCurrentText(d);
  Find<QComboBox>(w, hour)->setCurrentText(h);
  Find<QComboBox>(w, minute)->setCurrentText(min);
}

inline void FillCouple(QWidget& w) {
  FillRow(w, "Xing", "ComDate", "SYear", "SMonth", "Sday", "Shour", "CBFen", QStringLiteral("张明"), 0, "1990", "6",
          "15", QStringLiteral("午 11"), "30");
  FillRow(w, "Xing3", "ComDate3", "SYear3", "SMonth3", "Sday3", "Shour3", "CBFen3", QStringLiteral("李芳"), 1, "1992",
          "3", "8", QStringLiteral("卯 6"), "5");
}

const char kManFirstLine[] = "男方基本信息：";
const char kClosingLine[] = "特别声明：以上分析只做参考，即使分析不佳世上也有欢喜冤家或旷世奇缘的情感。";

}  // namespace
