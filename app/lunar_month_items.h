// The month list of a birth-data row follows its calendar and year: for a
// lunar year with a leap month the list offers it ("闰2" after "2"), and a
// leap choice the newly chosen year lacks falls back to the plain month.
#pragma once

#include <QStringList>

class QComboBox;

namespace hehun::ui {

// "1" to "12", with the leap month item after its month when `lunar` and
// the year text names a lunar year that has one.
QStringList MonthItemsFor(bool lunar, const QString& yearText);

// Keeps `month` in step with `calendar` (index 1 is lunar) and `year`.
void FollowLeapMonths(QComboBox* calendar, QComboBox* year, QComboBox* month);

}  // namespace hehun::ui
