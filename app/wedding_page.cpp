#include "app/wedding_page.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>

#include "almanac/wedding_days.h"
#include "app/appearance.h"
#include "app/birthplace_field.h"
#include "app/input_panels.h"
#include "app/lunar_month_items.h"
#include "app/ui_script.h"
#include "app/ui_services.h"

namespace hehun::ui {

WeddingPage::WeddingPage(QWidget* page, UiServices& services, ResultFn save, ResultFn print,
                         std::function<QDate()> today)
    : QObject(page), page_(page), services_(services), today_(std::move(today)) {
  auto* strip = new QFrame(page);
  strip->setProperty("role", QStringLiteral("strip"));
  strip->setGeometry(4, 4, 782, 130);
  struct RowNames {
    const char *caption, *name, *calendar, *year, *month, *day, *hour, *minute;
    QString title;
    int y;
    BirthRowControls* row;
  };
  const RowNames rows[] = {
      {"Panel5", "xing11", "CBdate11", "Year1", "Month1", "Day1", "Shour1", "CBFen1", QStringLiteral("男方基本信息"), 10,
       &man_},
      {"Panel6", "xing22", "CBdate22", "Year2", "Month2", "Day2", "RzComboBox1", "RzComboBox2",
       QStringLiteral("女方基本信息"), 40, &woman_},
  };
  for (const RowNames& r : rows) {
    const int y = r.y;
    BirthRowControls& row = *r.row;
    MakeCaptionPanel(page, r.caption, r.title, QRect(10, y, 82, 24));
    MakeLabel(page, QStringLiteral("姓名"), QRect(97, y, 26, 24));
    row.name = MakeNameBox(page, r.name, QRect(123, y, 128, 24));  // a full ten-character name
    row.calendar = MakeCombo(page, r.calendar, QRect(255, y, 84, 24), CalendarItems(), false, 0);
    row.year = MakeCombo(page, r.year, QRect(343, y, 58, 24), YearItems(), true, 90);
    MakeLabel(page, QStringLiteral("年"), QRect(403, y, 14, 24));
    row.month = MakeCombo(page, r.month, QRect(418, y, 42, 24), NumberItems(1, 12), true, 0);
    MakeLabel(page, QStringLiteral("月"), QRect(462, y, 14, 24));
    row.day = MakeCombo(page, r.day, QRect(477, y, 42, 24), NumberItems(1, 31), true, 0);
    MakeLabel(page, QStringLiteral("日"), QRect(521, y, 14, 24));
    row.hour = MakeCombo(page, r.hour, QRect(536, y, 60, 24), HourItems(), true, 0);
    MakeLabel(page, QStringLiteral("时"), QRect(598, y, 14, 24));
    row.minute = MakeCombo(page, r.minute, QRect(613, y, 42, 24), NumberItems(0, 59), true, 0);
    MakeLabel(page, QStringLiteral("分"), QRect(657, y, 14, 24));
    FollowLeapMonths(row.calendar, row.year, row.month);
  }

  const int y = 70;
  MakeCaptionPanel(page, "Panel7", QStringLiteral("日期范围宜忌"), QRect(10, y, 82, 24));
  QStringList ranges;
  for (auto r : hehun::kWeddingRanges) ranges << FromUtf8(r);
  range_ = MakeCombo(page, "SYear22", QRect(97, y, 92, 24), ranges, false, 3);
  purpose_ = MakeCombo(page, "CBrype", QRect(195, y, 60, 24), {QStringLiteral("结婚"), QStringLiteral("订婚")}, false, 0);
  kind_ = MakeCombo(page, "CByi", QRect(261, y, 50, 24), {QStringLiteral("宜"), QStringLiteral("忌")}, false, 0);
  QLabel* note = MakeLabel(page, QStringLiteral("备注：如查询不到数据请检测系统时间或联系我们"), QRect(320, y, 340, 24));
  note->setProperty("role", QStringLiteral("note"));
  man_.place = new BirthPlaceField(page, QStringLiteral("男方出生地"), 66, "EditPlaceMan11", "CheckSolarMan11",
                                   QRect(10, 100, 380, 24));
  woman_.place = new BirthPlaceField(page, QStringLiteral("女方出生地"), 66, "EditPlaceWoman22", "CheckSolarWoman22",
                                     QRect(404, 100, 378, 24));

  auto* run = MakePageButton(page, "RzBitBtn32", QStringLiteral("分析"), QRect(680, 10, 102, 40));
  auto* saveButton = MakePageButton(page, "RzBitBtn33", QStringLiteral("保存"), QRect(680, 56, 49, 28));
  auto* printButton = MakePageButton(page, "RzBitBtn30", QStringLiteral("打印"), QRect(733, 56, 49, 28));
  memo2_ = new QPlainTextEdit(page);
  memo2_->setObjectName(QStringLiteral("Memo2"));
  memo2_->setReadOnly(true);
  memo2_->setFont(ReportFont(13));
  memo2_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo2_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo2_->setGeometry(4, 140, 782, 312);

  connect(run, &QPushButton::clicked, this, &WeddingPage::RzBitBtn32Click);
  connect(saveButton, &QPushButton::clicked, this, [this, save] { save(memo2_, QStringLiteral("结婚吉日.txt")); });
  connect(printButton, &QPushButton::clicked, this, [this, print] { print(memo2_, QStringLiteral("结婚吉日")); });
}

void WeddingPage::RzBitBtn32Click() {
  if (!CheckPlaces({man_.place, woman_.place}, services_, page_)) return;
  const hehun::WeddingSearch search{RowTexts(man_), RowTexts(woman_), ToUtf8(ChoiceText(range_)),
                                    ToUtf8(ChoiceText(purpose_)), ToUtf8(ChoiceText(kind_))};
  const QDate today = today_();
  WindowMessages messages(services_, page_);
  hehun::LineList result;  // shown only when complete
  bool done = false;
  try {
    hehun::RefDb db;
    done = hehun::RunWeddingDaySearch(search, result, messages, db, {today.year(), today.month(), today.day()});
  } catch (const std::exception& error) {
    services_.ShowError(page_, FromUtf8(error.what()));
    return;
  }
  if (!done) {
    // A refused row: the cursor goes to the first empty name, as on 合婚.
    if (man_.name->text().trimmed().isEmpty()) {
      man_.name->setFocus();
    } else if (woman_.name->text().trimmed().isEmpty()) {
      woman_.name->setFocus();
    }
    return;
  }
  ShowResultText(memo2_, FromUtf8(result.Text()), {man_.name->text(), woman_.name->text()});
  memo2_->verticalScrollBar()->setValue(0);
}

}  // namespace hehun::ui
