#include "app/records/person_panel.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QRegularExpression>
#include <QToolButton>

#include "app/birthplace_field.h"
#include "app/input_panels.h"
#include "app/records/people_model.h"
#include "app/records/person_picker.h"
#include "app/records/records_store.h"
#include "app/ui_services.h"
#include "app/window_services.h"

namespace hehun::ui {

using records::Person;

namespace {

// Two people are the same entry when name and birth agree.
bool SameBirth(const Person& a, const Person& b) {
  return a.name == b.name && a.sex == b.sex && a.lunar == b.lunar && a.birthDate == b.birthDate &&
         a.leapMonth == b.leapMonth && a.hour == b.hour && a.minute == b.minute;
}

}  // namespace

PersonPanel PanelOfRow(const BirthRowControls& row, const QString& sex) {
  PersonPanel panel;
  panel.name = row.name;
  panel.fixedSex = sex;
  panel.calendar = row.calendar;
  panel.year = row.year;
  panel.month = row.month;
  panel.day = row.day;
  panel.hour = row.hour;
  panel.minute = row.minute;
  panel.blood = row.blood;
  if (row.place) panel.place = row.place->Edit();
  return panel;
}

QString PanelSex(const PersonPanel& panel) { return panel.sex ? panel.sex->currentText() : panel.fixedSex; }

void FillPanel(const PersonPanel& panel, const Person& person) {
  Person p = person;
  // A leap-month birth: the lunar month list offers "闰N" once the lunar
  // year is set; a panel without it gets the Gregorian date, the same day.
  QString leapItem;
  if (p.lunar && p.leapMonth && panel.leap == nullptr) {
    panel.calendar->setCurrentIndex(1);
    panel.year->setCurrentText(QString::number(p.birthDate.year));
    leapItem = QStringLiteral("闰%1").arg(p.birthDate.month);
    if (panel.month->findText(leapItem) < 0) {
      leapItem.clear();
      p.birthDate = records::SolarBirthDate(person);
      p.lunar = false;
      p.leapMonth = false;
    }
  }
  panel.name->setText(FromUtf8(p.name));
  if (panel.sex) panel.sex->setCurrentText(FromUtf8(p.sex));
  panel.calendar->setCurrentIndex(p.lunar ? 1 : 0);
  panel.year->setCurrentText(QString::number(p.birthDate.year));
  panel.month->setCurrentText(leapItem.isEmpty() ? QString::number(p.birthDate.month) : leapItem);
  panel.day->setCurrentText(QString::number(p.birthDate.day));
  if (p.hour >= 0 && p.hour < panel.hour->count()) panel.hour->setCurrentIndex(p.hour);
  panel.minute->setCurrentText(QString::number(p.minute));
  if (panel.leap) panel.leap->setChecked(p.leapMonth);
  if (panel.place) panel.place->setText(FromUtf8(p.place));
  if (panel.blood) {
    const int index = p.blood.empty() ? 0 : panel.blood->findText(FromUtf8(p.blood) + QStringLiteral("型"));
    panel.blood->setCurrentIndex(index < 0 ? 0 : index);
  }
}

std::optional<Person> PersonOfPanel(const PersonPanel& panel, QString& why) {
  records::PersonTexts texts;
  texts.name = ToUtf8(panel.name->text());
  texts.sex = ToUtf8(PanelSex(panel));
  texts.calendar = panel.calendar->currentIndex() == 1 ? "农历" : "公历";
  // A leap month shows as "闰N" in the month list.
  QString month = panel.month->currentText().trimmed();
  const bool leapInList = month.startsWith(QStringLiteral("闰"));
  if (leapInList) month.remove(0, 1);
  texts.date = ToUtf8(panel.year->currentText().trimmed() + QLatin1Char('-') + month + QLatin1Char('-') +
                      panel.day->currentText().trimmed());
  // The hour item "午 11" (or a typed hour) gives its number; both numbers
  // take two digits ("06:05"), other text goes on to be refused by the check.
  const QRegularExpressionMatch hour = QRegularExpression(QStringLiteral("(\\d+)\\s*$")).match(panel.hour->currentText());
  const auto twoDigits = [](const QString& text) {
    bool number = false;
    const int value = text.toInt(&number);
    return number && value >= 0 && value < 100 ? QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')) : text;
  };
  texts.time = ToUtf8(twoDigits(hour.hasMatch() ? hour.captured(1) : panel.hour->currentText().trimmed()) +
                      QLatin1Char(':') + twoDigits(panel.minute->currentText().trimmed()));
  texts.leap = leapInList || (panel.leap && panel.leap->isChecked()) ? "1" : "0";
  if (panel.place) texts.place = ToUtf8(panel.place->text());
  if (panel.blood) texts.blood = ToUtf8(panel.blood->currentText().remove(QStringLiteral("型")));
  Person person;
  const std::vector<std::string> reasons = records::ReadPerson(texts, person);
  if (!reasons.empty()) {
    why = FromUtf8(records::JoinReasons(reasons));
    return std::nullopt;
  }
  return person;
}

void PickIntoPanel(const PersonPanel& panel) {
  QWidget* owner = panel.name->window();
  RecordsStore* store = RecordsStoreOf(panel.name);
  if (store == nullptr || store->Open(owner) == nullptr) return;
  // A panel with a sex box takes either sex; a row of 合婚 only its own.
  PersonPicker picker(*store, panel.sex ? QString() : panel.fixedSex, owner);
  if (picker.exec() != QDialog::Accepted || !picker.Chosen()) return;
  FillPanel(panel, *picker.Chosen());
  panel.name->setFocus();
}

void SavePanelPerson(const PersonPanel& panel) {
  QWidget* owner = panel.name->window();
  UiServices& services = ServicesOf(owner);
  RecordsStore* store = RecordsStoreOf(panel.name);
  if (store == nullptr || store->Open(owner) == nullptr) return;
  QString why;
  std::optional<Person> person = PersonOfPanel(panel, why);
  if (!person) {
    services.ShowInfo(owner, QStringLiteral("这一栏的资料不能保存到档案：\n%1").arg(why));
    return;
  }
  std::optional<Person> same;
  if (!store->Read(owner, [&](records::Archive& archive) {
        archive.ForEachPerson({person->name}, [&](const Person& saved) {
          if (!same && SameBirth(saved, *person)) same = saved;
        });
      }))
    return;
  if (same) {
    const QString question =
        QStringLiteral("档案中已有“%1”（编号%2，%3），姓名和出生时间都相同。\n是否用这一栏的资料更新这条记录？"
                       "（备注和标签保留）\n选“否”则不保存。")
            .arg(FromUtf8(same->name))
            .arg(same->id)
            .arg(BirthText(*same));
    if (!services.Ask(owner, question)) return;
    person->id = same->id;
    person->note = same->note;
    person->tags = same->tags;
    if (store->Change(owner, [&](records::Archive& archive) { archive.UpdatePerson(*person); }))
      services.ShowInfo(owner, QStringLiteral("已更新档案中的“%1”（编号%2）。").arg(FromUtf8(person->name)).arg(person->id));
    return;
  }
  int64_t id = 0;
  if (store->Change(owner, [&](records::Archive& archive) { id = archive.AddPerson(*person); }))
    services.ShowInfo(owner, QStringLiteral("已将“%1”保存到档案（编号%2）。").arg(FromUtf8(person->name)).arg(id));
}

QToolButton* AddRecordsButton(const PersonPanel& panel, const char* objectName, const QRect& geometry) {
  auto* button = new QToolButton(panel.name->parentWidget());
  button->setGeometry(geometry);
  const QString name = QString::fromLatin1(objectName);
  button->setObjectName(name);
  button->setText(QStringLiteral("档案"));
  button->setToolTip(QStringLiteral("从档案中选取这一栏的人，或把这一栏保存到档案"));
  button->setAccessibleName(QStringLiteral("档案"));
  button->setCursor(Qt::PointingHandCursor);
  button->setPopupMode(QToolButton::InstantPopup);
  button->setFocusPolicy(Qt::StrongFocus);
  button->setStyleSheet(QStringLiteral(
      "QToolButton { font-size: 11px; padding: 0; border: 1px solid #c9a96b; border-radius: 3px;"
      " background: #f6e8c8; color: #6c1012; }"
      "QToolButton:hover, QToolButton:focus { background: #efd9a8; }"
      "QToolButton::menu-indicator { image: none; width: 0; }"));
  auto* menu = new QMenu(button);
  QAction* pick = menu->addAction(QStringLiteral("从档案中选取…"));
  pick->setObjectName(name + QStringLiteral("Pick"));
  QAction* save = menu->addAction(QStringLiteral("保存到档案"));
  save->setObjectName(name + QStringLiteral("Save"));
  button->setMenu(menu);
  QObject::connect(pick, &QAction::triggered, button, [panel] { PickIntoPanel(panel); });
  QObject::connect(save, &QAction::triggered, button, [panel] { SavePanelPerson(panel); });
  if (panel.name->placeholderText().isEmpty()) panel.name->setPlaceholderText(QStringLiteral("姓名"));
  QWidget::setTabOrder(panel.name, button);
  return button;
}

}  // namespace hehun::ui
