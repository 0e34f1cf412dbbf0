#include "app/lunar_month_items.h"

#include <QComboBox>
#include <QSignalBlocker>

#include "app/ui_services.h"
#include "calendar/birth_row.h"
#include "calendar/lunar_calc.h"

namespace hehun::ui {

QStringList MonthItemsFor(bool lunar, const QString& yearText) {
  bool isNumber = false;
  const int year = yearText.trimmed().toInt(&isNumber);
  const int leap = lunar && isNumber && year >= kFirstLunarYear && year <= kLastLunarYear ? LeapMonthOf(year) : 0;
  QStringList items;
  for (int month = 1; month <= 12; ++month) {
    items << QString::number(month);
    if (month == leap) items << FromUtf8(LunarMonthItem(month, true));
  }
  return items;
}

namespace {

void RebuildMonths(QComboBox* calendar, QComboBox* year, QComboBox* month) {
  const QStringList items = MonthItemsFor(calendar->currentIndex() == 1, year->currentText());
  QStringList current;
  for (int i = 0; i < month->count(); ++i) current << month->itemText(i);
  if (current == items) return;
  QString chosen = month->currentText();
  const QSignalBlocker block(month);
  month->clear();
  month->addItems(items);
  // A leap month the new list lacks becomes its plain month.
  const QString leapPrefix = QStringLiteral("闰");
  if (chosen.startsWith(leapPrefix) && !items.contains(chosen)) {
    bool leap = false;
    const int plain = LunarMonthOfText(ToUtf8(chosen), leap);
    if (plain != 0) chosen = QString::number(plain);
  }
  const int index = items.indexOf(chosen);
  if (index >= 0)
    month->setCurrentIndex(index);
  else if (month->isEditable())
    month->setEditText(chosen);
}

}  // namespace

void FollowLeapMonths(QComboBox* calendar, QComboBox* year, QComboBox* month) {
  const auto rebuild = [calendar, year, month] { RebuildMonths(calendar, year, month); };
  QObject::connect(calendar, &QComboBox::currentIndexChanged, month, rebuild);
  QObject::connect(year, &QComboBox::currentTextChanged, month, rebuild);
  rebuild();
}

}  // namespace hehun::ui
