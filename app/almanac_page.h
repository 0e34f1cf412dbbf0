// The page 本日黄历: the date choice, the day's almanac in MemoHuangli and
// the fixed glossary of almanac terms in Memo3.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QWidget;

namespace hehun::ui {

class UiServices;

class AlmanacPage : public QObject {
  Q_OBJECT
 public:
  using PrintFn = std::function<void(QPlainTextEdit*, const QString&)>;
  // Builds the page's controls on `page`; "打印" hands the result area to `print`.
  AlmanacPage(QWidget* page, UiServices& services, PrintFn print);

  // "查看": shows the chosen day, or its message; a day without a row in
  // the table leaves the previous result on screen.
  void BtnHuangliClick();

  QComboBox* SlYear() const { return slYear_; }
  QComboBox* SlMonth() const { return slMonth_; }
  QComboBox* Slday() const { return slDay_; }

 private:
  QWidget* page_;
  UiServices& services_;
  PrintFn print_;
  QComboBox *slYear_ = nullptr, *slMonth_ = nullptr, *slDay_ = nullptr;
  QLabel* label61_ = nullptr;
  QPlainTextEdit* memoHuangli_ = nullptr;
  QPlainTextEdit* memo3_ = nullptr;
};

}  // namespace hehun::ui
