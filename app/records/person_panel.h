// One person's input panel seen by the archive: the controls a saved person
// fills (those a panel lacks are skipped), the person the controls describe,
// and the small 档案 button beside a panel's name box, whose menu picks a
// saved person into the panel or saves the panel's person.
#pragma once

#include <QRect>
#include <QString>
#include <optional>

#include "records/person.h"

class QAbstractButton;
class QComboBox;
class QLineEdit;
class QToolButton;
class QWidget;

namespace hehun::ui {

struct BirthRowControls;

struct PersonPanel {
  QLineEdit* name = nullptr;
  QComboBox* sex = nullptr;  // "男"/"女"; without it the panel's sex is `fixedSex`
  QString fixedSex;
  QComboBox* calendar = nullptr;  // index 0 公历, 1 农历
  QComboBox *year = nullptr, *month = nullptr, *day = nullptr;
  QComboBox* hour = nullptr;    // the hour items "子 0" … "子 23"
  QComboBox* minute = nullptr;  // "0" … "59"
  QAbstractButton* leap = nullptr;  // 闰月, when the panel has one
  QLineEdit* place = nullptr;       // 出生地, when the panel has one
  QComboBox* blood = nullptr;       // "", "A型", … when the panel has one
};

// A birth row of the page 合婚 whose person is always of sex `sex`.
PersonPanel PanelOfRow(const BirthRowControls& row, const QString& sex);

// The panel's sex: its box, or the fixed one.
QString PanelSex(const PersonPanel& panel);

// Puts `person` into the controls. A lunar leap-month birth in a panel
// without a leap box is written as its Gregorian date, so that the panel
// still means the same day.
void FillPanel(const PersonPanel& panel, const records::Person& person);

// The person the controls describe, checked as the archive checks it; on
// refusal nullopt and the reasons in `why`.
std::optional<records::Person> PersonOfPanel(const PersonPanel& panel, QString& why);

// Puts the 档案 button at `geometry` beside the panel's name box (in the
// place of its caption 姓名, which becomes the box's placeholder text), with
// the actions "从档案中选取…" (`objectName`+"Pick") and "保存到档案"
// (`objectName`+"Save"); in the tab order it comes right after the name box.
QToolButton* AddRecordsButton(const PersonPanel& panel, const char* objectName, const QRect& geometry);

// The two actions of the button, also called by the records window's tests.
void PickIntoPanel(const PersonPanel& panel);
void SavePanelPerson(const PersonPanel& panel);

}  // namespace hehun::ui
