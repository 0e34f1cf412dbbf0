#include "app/marriage_page.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextCursor>

#include "app/lunar_month_items.h"
#include "app/birthplace_field.h"
#include "app/ui_script.h"
#include "app/chart/chart_panel.h"
#include "app/records/person_panel.h"
#include "app/ui_services.h"
#include "refdb/refdb.h"

namespace hehun::ui {

namespace {

// Messages of the core shown through the window; `beforeShow` brings the
// report area up to date first, so that the lines written so far are on the
// screen while a box is open.
class ReportMessages : public WindowMessages {
 public:
  ReportMessages(UiServices& services, QWidget* parent, std::function<void()> beforeShow)
      : WindowMessages(services, parent), beforeShow_(std::move(beforeShow)) {}
  void ShowInfo(std::string_view text) override {
    beforeShow_();
    WindowMessages::ShowInfo(text);
  }
  void Notice(std::string_view text) override {
    beforeShow_();
    WindowMessages::Notice(text);
  }
  void ShowError(std::string_view text) override {
    beforeShow_();
    WindowMessages::ShowError(text);
  }

 private:
  std::function<void()> beforeShow_;
};

}  // namespace

MarriagePage::MarriagePage(QWidget* page, QWidget* window, UiServices& services, ResultFn saveResult,
                           ResultFn printResult, std::function<hehun::Ymd()> today)
    : QObject(page), window_(window), services_(services), today_(std::move(today)) {
  MakeStrip(page, QRect(4, 4, 782, 100));
  struct RowNames {
    const char *caption, *name, *calendar, *year, *month, *day, *hour, *minute, *blood;
    QString title;
    int y;
  };
  const RowNames rows[] = {
      {"Panel1", "Xing", "ComDate", "SYear", "SMonth", "Sday", "Shour", "CBFen", "ComboBoxDL",
       QStringLiteral("男方基本信息"), 11},
      {"Panel2", "Xing3", "ComDate3", "SYear3", "SMonth3", "Sday3", "Shour3", "CBFen3", "ComboBoxXX",
       QStringLiteral("女方基本信息"), 43},
  };
  for (const RowNames& r : rows) {
    BirthRowControls& row = (r.y == rows[0].y) ? man_ : woman_;
    const int y = r.y;
    // The name box is wide enough for a full ten-character name; the other
    // boxes are as narrow as their longest item allows.
    MakeCaptionPanel(page, r.caption, r.title, QRect(10, y, 76, 24));
    row.name = MakeNameBox(page, r.name, QRect(115, y, 128, 24));
    row.calendar = MakeCombo(page, r.calendar, QRect(246, y, 82, 24), CalendarItems(), false, 0);
    row.year = MakeCombo(page, r.year, QRect(331, y, 54, 24), YearItems(), true, 90);
    MakeLabel(page, QStringLiteral("年"), QRect(386, y, 13, 24));
    row.month = MakeCombo(page, r.month, QRect(400, y, 40, 24), NumberItems(1, 12), true, 0);
    MakeLabel(page, QStringLiteral("月"), QRect(441, y, 13, 24));
    row.day = MakeCombo(page, r.day, QRect(455, y, 40, 24), NumberItems(1, 31), true, 0);
    MakeLabel(page, QStringLiteral("日"), QRect(496, y, 13, 24));
    row.hour = MakeCombo(page, r.hour, QRect(510, y, 56, 24), HourItems(), true, 0);
    MakeLabel(page, QStringLiteral("时"), QRect(567, y, 13, 24));
    row.minute = MakeCombo(page, r.minute, QRect(581, y, 40, 24), NumberItems(0, 59), true, 0);
    MakeLabel(page, QStringLiteral("分 血型"), QRect(623, y, 42, 24));
    row.blood = MakeCombo(page, r.blood, QRect(665, y, 48, 24), BloodTypeItems(), false, -1);
    FollowLeapMonths(row.calendar, row.year, row.month);
  }
  // Both birthplaces share the line below the rows, each under its half.
  man_.place = new BirthPlaceField(page, QStringLiteral("男方出生地"), 66, "EditPlaceMan", "CheckSolarMan",
                                   QRect(10, 75, 380, 24));
  woman_.place = new BirthPlaceField(page, QStringLiteral("女方出生地"), 66, "EditPlaceWoman", "CheckSolarWoman",
                                     QRect(404, 75, 380, 24));
  AddRecordsButton(PanelOfRow(man_, QStringLiteral("男")), "ManRecords", QRect(89, rows[0].y, 25, 24));
  AddRecordsButton(PanelOfRow(woman_, QStringLiteral("女")), "WomanRecords", QRect(89, rows[1].y, 25, 24));

  auto* run = MakePageButton(page, "RzBitBtn2", QStringLiteral("测算"), QRect(716, 10, 68, 32));
  auto* save = MakePageButton(page, "RzBitBtn24", QStringLiteral("保存"), QRect(716, 46, 33, 23));
  auto* print = MakePageButton(page, "RzBitBtn4", QStringLiteral("打印"), QRect(751, 46, 33, 23));
  memoSuccess_ = MakeResultArea(page, "MemoSuccess", QRect(4, 110, 782, 342));
  couple_ = new CoupleChartPanel(page);
  resultTabs_ = WrapInResultTabs(memoSuccess_, couple_, "ResultTabs1");

  connect(run, &QPushButton::clicked, this, &MarriagePage::RzBitBtn2Click);
  connect(save, &QPushButton::clicked, this,
          [this, saveResult] { saveResult(memoSuccess_, QStringLiteral("八字合婚报告.txt")); });
  connect(print, &QPushButton::clicked, this,
          [this, printResult] { printResult(memoSuccess_, QStringLiteral("八字合婚报告")); });
}

void MarriagePage::ShowReportArea() {
  // The lines so far, converted in one call with the typed names kept.
  ShowResultText(memoSuccess_, FromUtf8(reportArea_.Text()), {man_.name->text(), woman_.name->text()});
}

void MarriagePage::RestoreLastReport() {
  if (memoSuccess_->toPlainText() != lastReport_) memoSuccess_->setPlainText(lastReport_);
}

bool MarriagePage::RzBitBtn2Click() {
  if (!CheckPlaces({man_.place, woman_.place}, services_, window_)) return false;
  ReportMessages messages(services_, window_, [this] { ShowReportArea(); });
  hehun::ReportResult result;
  try {
    hehun::RefDb db;
    result =
        hehun::RunMarriageReport(RowTexts(man_), RowTexts(woman_), reportArea_, hiddenLists_, messages, db, today_());
  } catch (const std::exception& error) {
    ShowReportArea();
    services_.ShowError(window_, FromUtf8(error.what()));
    RestoreLastReport();
    return false;
  } catch (const hehun::SilentAbort&) {
    RestoreLastReport();
    return false;
  }
  ShowReportArea();
  couple_->SetResult(result);
  // A report that stopped part way is not left to be saved or printed: the
  // pane goes back to the last complete report (empty before the first).
  if (result.end == hehun::ReportEnd::kComplete)
    lastReport_ = memoSuccess_->toPlainText();
  else
    RestoreLastReport();
  switch (result.end) {
    case hehun::ReportEnd::kComplete: {
      resultTabs_->setCurrentWidget(couple_);
      QTextCursor top = memoSuccess_->textCursor();
      top.movePosition(QTextCursor::Start);
      memoSuccess_->setTextCursor(top);
      memoSuccess_->verticalScrollBar()->setValue(0);
      return true;
    }
    case hehun::ReportEnd::kManRowRefused:
      if (result.nameMissing) man_.name->setFocus();
      break;
    case hehun::ReportEnd::kWomanRowRefused:
      if (result.nameMissing) woman_.name->setFocus();
      break;
  }
  return false;
}

}  // namespace hehun::ui
