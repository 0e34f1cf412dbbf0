// The page 八字及星座: one person's birth data and the personal report, as
// the Bazi analysis (八字分析) or the star-sign analysis (星座分析) by the
// caption of its analysis button.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

#include "calendar/date.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace hehun::ui {

class BirthPlaceField;
class UiServices;
class ChartPanel;

class PersonalPage : public QObject {
  Q_OBJECT
 public:
  using ResultFn = std::function<void(QPlainTextEdit*, const QString&)>;
  // Builds the page's controls on `page`; messages open over `window`.
  // "保存" and "打印" hand the result area to `save` and `print`; `today`
  // is the day ages count from.
  PersonalPage(QWidget* page, QWidget* window, UiServices& services, ResultFn save, ResultFn print,
               std::function<hehun::Ymd()> today);

  // The analysis button ("八字分析" or "星座分析"): the report of its mode.
  void RzButton2Click();

  // The analysis button (its caption chooses the mode) and the result area.
  QPushButton* AnalysisButton() const { return rzButton2_; }
  QPlainTextEdit* Memo1() const { return memo1_; }
  // The tabs 命盘 and 报告全文 over the result area, and the chart.
  QTabWidget* ResultTabs() const { return resultTabs_; }
  ChartPanel* Chart() const { return chart_; }

 private:
  QWidget* window_;
  UiServices& services_;
  std::function<hehun::Ymd()> today_;
  QLineEdit* xing2_ = nullptr;
  QLineEdit* nameB2_ = nullptr;
  QComboBox* sex2_ = nullptr;
  QComboBox* calendar2_ = nullptr;
  QComboBox *year2_ = nullptr, *month2_ = nullptr, *day2_ = nullptr, *hour2_ = nullptr, *minute2_ = nullptr;
  BirthPlaceField* place_ = nullptr;  // 出生地 and 真太阳时
  QPushButton* rzButton2_ = nullptr;
  QPlainTextEdit* memo1_ = nullptr;
  ChartPanel* chart_ = nullptr;
  QTabWidget* resultTabs_ = nullptr;
};

}  // namespace hehun::ui
