// The page 结婚吉日: the couple's rows, the range, purpose and kind of the
// search, and the wedding-day search behind "分析" with its result in Memo2.
#pragma once

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>

#include "app/input_panels.h"

class QComboBox;
class QPlainTextEdit;
class QWidget;

namespace hehun::ui {

class UiServices;

class WeddingPage : public QObject {
  Q_OBJECT
 public:
  using ResultFn = std::function<void(QPlainTextEdit*, const QString&)>;
  // Builds the page's controls on `page`. "保存" and "打印" hand the result
  // area to `save` and `print`; `today` gives the first day of the search.
  WeddingPage(QWidget* page, UiServices& services, ResultFn save, ResultFn print, std::function<QDate()> today);

  // "分析": the search for the chosen range, purpose and kind.
  void RzBitBtn32Click();

  const BirthRowControls& Man() const { return man_; }
  const BirthRowControls& Woman() const { return woman_; }
  QPlainTextEdit* Memo2() const { return memo2_; }

 private:
  QWidget* page_;
  UiServices& services_;
  std::function<QDate()> today_;
  BirthRowControls man_, woman_;
  QComboBox *range_ = nullptr, *purpose_ = nullptr, *kind_ = nullptr;
  QPlainTextEdit* memo2_ = nullptr;
};

}  // namespace hehun::ui
