// Building blocks of the pages: the item lists, the editable combo boxes,
// the name boxes limited in GBK bytes, the captions, the input strips and
// the report areas.
#pragma once

#include <QRect>
#include <QStringList>

#include "calendar/birth_row.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace hehun::ui {

class BirthPlaceField;

inline constexpr int kNameByteLimit = 20;

// "first" to "last"; with `digits` > 0 padded with zeros to that width.
QStringList NumberItems(int first, int last, int digits = 0);
// The 24 hour items "子 0", "丑 1", … "亥 22", "子 23".
QStringList HourItems();
QStringList YearItems();  // "1900" to "2030"
QStringList CalendarItems();      // "公历(阳历)", "农历(阴历)"
QStringList ShortCalendarItems();  // "公历", "农历"
QStringList BloodTypeItems();     // "", "A型", "B型", "O型", "AB型"

QComboBox* MakeCombo(QWidget* parent, const char* objectName, const QRect& geometry, const QStringList& items,
                     bool editable, int currentIndex);
// A name box that takes at most kNameByteLimit bytes of GBK text.
QLineEdit* MakeNameBox(QWidget* parent, const char* objectName, const QRect& geometry);
// Cuts the text of `edit` to `bytes` GBK bytes whenever it grows longer.
void LimitGbkBytes(QLineEdit* edit, int bytes);
QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& geometry);
// A push button of a page (run, save, print), with the hand cursor.
QPushButton* MakePageButton(QWidget* parent, const char* objectName, const QString& caption, const QRect& geometry);
// The coloured caption panel at the head of a row.
QLabel* MakeCaptionPanel(QWidget* parent, const char* objectName, const QString& text, const QRect& geometry);
// The shaded strip behind a page's input controls.
QFrame* MakeStrip(QWidget* page, const QRect& geometry);
// A read-only report area in the report font, wrapped to its width.
QPlainTextEdit* MakeResultArea(QWidget* page, const char* objectName, const QRect& geometry);

// The controls of one birth-data row of the page 合婚.
struct BirthRowControls {
  QLineEdit* name = nullptr;
  QComboBox* calendar = nullptr;
  QComboBox* year = nullptr;
  QComboBox* month = nullptr;
  QComboBox* day = nullptr;
  QComboBox* hour = nullptr;
  QComboBox* minute = nullptr;
  QComboBox* blood = nullptr;  // "", "A型", "B型", "O型", "AB型"
  BirthPlaceField* place = nullptr;  // 出生地 and 真太阳时, where the page has them
};

// The texts of a row exactly as its controls hold them.
hehun::BirthRowTexts RowTexts(const BirthRowControls& row);

}  // namespace hehun::ui
