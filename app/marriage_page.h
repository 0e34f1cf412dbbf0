// The page 合婚: the man's and the woman's birth-data rows, "测算", and the
// marriage report in MemoSuccess, written line by line as it is assembled.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "app/input_panels.h"
#include "app/match_dialog.h"
#include "calendar/date.h"
#include "reports/marriage_report.h"

class QPlainTextEdit;
class QTabWidget;
class QWidget;

namespace hehun::ui {

class UiServices;
class CoupleChartPanel;

class MarriagePage : public QObject {
  Q_OBJECT
 public:
  using ResultFn = std::function<void(QPlainTextEdit*, const QString&)>;
  // Builds the page's controls on `page`; messages open over `window`.
  // "保存" and "打印" hand the result area to `save` and `print`; `today`
  // is the day ages count from.
  MarriagePage(QWidget* page, QWidget* window, UiServices& services, ResultFn save, ResultFn print,
               std::function<hehun::Ymd()> today);

  // "测算": the marriage report of the two rows; true when it was complete.
  bool RzBitBtn2Click();

  // What the matching dialogs take from the two rows.
  CoupleEntries Couple() const { return CoupleOf(man_, woman_); }
  // The man's and the woman's rows (the archive fills them).
  const BirthRowControls& ManRow() const { return man_; }
  const BirthRowControls& WomanRow() const { return woman_; }

 private:
  void ShowReportArea();
  void RestoreLastReport();

  QWidget* window_;
  UiServices& services_;
  std::function<hehun::Ymd()> today_;
  BirthRowControls man_, woman_;
  QPlainTextEdit* memoSuccess_ = nullptr;
  CoupleChartPanel* couple_ = nullptr;   // the 命盘 tab
  QTabWidget* resultTabs_ = nullptr;     // 命盘 and 报告全文
  hehun::ReportArea reportArea_;
  QString lastReport_;  // the last complete report, shown again after a stop
  hehun::MarriageHiddenLists hiddenLists_;
};

}  // namespace hehun::ui
