#include "app/personal_page.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <optional>

#include "app/birthplace_field.h"
#include "app/chart/chart_panel.h"
#include "app/input_panels.h"
#include "app/lunar_month_items.h"
#include "app/ui_script.h"
#include "app/records/person_panel.h"
#include "app/ui_services.h"
#include "refdb/refdb.h"
#include "reports/personal_report.h"

namespace hehun::ui {

PersonalPage::PersonalPage(QWidget* page, QWidget* window, UiServices& services, ResultFn saveResult,
                           ResultFn printResult, std::function<hehun::Ymd()> today)
    : QObject(page), window_(window), services_(services), today_(std::move(today)) {
  MakeStrip(page, QRect(4, 4, 782, 70));
  const int y = 12;
  xing2_ = MakeNameBox(page, "Xing2", QRect(40, y, 128, 24));
  nameB2_ = MakeNameBox(page, "NameB2", QRect(168, y, 2, 24));
  nameB2_->setVisible(false);
  sex2_ = MakeCombo(page, "CBsex2", QRect(172, y, 46, 24), {QStringLiteral("男"), QStringLiteral("女")}, false, 0);
  calendar2_ = MakeCombo(page, "ComDate2", QRect(222, y, 58, 24), ShortCalendarItems(), false, 0);
  year2_ = MakeCombo(page, "SYear2", QRect(284, y, 54, 24), YearItems(), true, 90);
  MakeLabel(page, QStringLiteral("年"), QRect(339, y, 13, 24));
  month2_ = MakeCombo(page, "SMonth2", QRect(353, y, 40, 24), NumberItems(1, 12), true, 0);
  MakeLabel(page, QStringLiteral("月"), QRect(394, y, 13, 24));
  day2_ = MakeCombo(page, "Sday2", QRect(408, y, 40, 24), NumberItems(1, 31), true, 0);
  MakeLabel(page, QStringLiteral("日"), QRect(449, y, 13, 24));
  hour2_ = MakeCombo(page, "Shour2", QRect(463, y, 56, 24), HourItems(), true, 0);
  MakeLabel(page, QStringLiteral("时"), QRect(520, y, 13, 24));
  minute2_ = MakeCombo(page, "CBFen2", QRect(534, y, 40, 24), NumberItems(0, 59), true, 0);
  MakeLabel(page, QStringLiteral("分"), QRect(575, y, 13, 24));
  place_ = new BirthPlaceField(page, QStringLiteral("出生地"), 38, "EditPlace", "CheckSolar", QRect(14, 44, 404, 24));
  FollowLeapMonths(calendar2_, year2_, month2_);
  AddRecordsButton({xing2_, sex2_, {}, calendar2_, year2_, month2_, day2_, hour2_, minute2_, nullptr, place_->Edit()},
                   "PersonalRecords", QRect(13, y, 25, 24));

  rzButton2_ = MakePageButton(page, "RzButton2", QStringLiteral("八字分析"), QRect(592, 10, 82, 28));
  auto* print = MakePageButton(page, "RzBitBtn7", QStringLiteral("打印"), QRect(680, 10, 50, 28));
  auto* save = MakePageButton(page, "RzBitBtn8", QStringLiteral("保存"), QRect(734, 10, 50, 28));
  memo1_ = MakeResultArea(page, "Memo1", QRect(4, 80, 782, 372));
  chart_ = new ChartPanel(page);
  resultTabs_ = WrapInResultTabs(memo1_, chart_, "ResultTabs2");

  connect(rzButton2_, &QPushButton::clicked, this, &PersonalPage::RzButton2Click);
  connect(save, &QPushButton::clicked, this,
          [this, saveResult] { saveResult(memo1_, SimplifiedCaption(rzButton2_) + QStringLiteral(".txt")); });
  connect(print, &QPushButton::clicked, this, [this, printResult] { printResult(memo1_, SimplifiedCaption(rzButton2_)); });
}

void PersonalPage::RzButton2Click() {
  hehun::PersonalInput input;
  input.name = ToUtf8(xing2_->text());
  input.secondName = ToUtf8(nameB2_->text());
  input.sex = ToUtf8(ChoiceText(sex2_));
  input.calendarIndex = calendar2_->currentIndex();
  input.year = ToUtf8(year2_->currentText());
  input.month = ToUtf8(month2_->currentText());
  input.day = ToUtf8(day2_->currentText());
  input.hour = ToUtf8(hour2_->currentText());
  input.minute = ToUtf8(minute2_->currentText());
  input.place = place_->PlaceText();
  input.trueSolarTime = place_->TrueSolarTime();
  const hehun::PersonalMode mode = hehun::PersonalModeOfCaption(ToUtf8(SimplifiedCaption(rzButton2_)));

  if (!place_->CheckPlace(services_, window_)) return;
  WindowMessages messages(services_, window_);
  // Assembled off screen and shown only when complete: after a refusal or an
  // error the pane keeps the last complete report.
  hehun::LineList report;
  std::optional<hehun::ChartView> chart;
  try {
    hehun::RefDb db;
    hehun::ChartView view;
    if (!hehun::RunPersonalReport(input, mode, report, messages, db, today_(), &view)) return;
    if (mode == hehun::PersonalMode::kBazi && !view.luck.empty()) chart = std::move(view);
  } catch (const std::exception& error) {
    services_.ShowError(window_, FromUtf8(error.what()));
    return;
  } catch (const hehun::SilentAbort&) {
    return;
  }
  ShowResultText(memo1_, FromUtf8(report.Text()), {xing2_->text(), nameB2_->text()});
  chart_->SetChart(chart);
  resultTabs_->setCurrentWidget(chart ? static_cast<QWidget*>(chart_) : memo1_);
}

}  // namespace hehun::ui
