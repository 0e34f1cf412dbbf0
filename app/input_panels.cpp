#include "app/input_panels.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>

#include "app/appearance.h"
#include "app/birthplace_field.h"
#include "app/ui_services.h"
#include "refdb/gbk.h"

namespace hehun::ui {

QStringList NumberItems(int first, int last, int digits) {
  QStringList items;
  for (int n = first; n <= last; ++n) items << QStringLiteral("%1").arg(n, digits, 10, QLatin1Char('0'));
  return items;
}

QStringList HourItems() {
  static const char* const kBranches[] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
  QStringList items;
  for (int hour = 0; hour < 24; ++hour) {
    // Each two-hour period begins at an odd hour: 23 and 0 are 子, 1 and 2 丑, …
    const int branch = ((hour + 1) / 2) % 12;
    items << QString::fromUtf8(kBranches[branch]) + QLatin1Char(' ') + QString::number(hour);
  }
  return items;
}

QStringList YearItems() { return NumberItems(1900, 2030); }

QStringList CalendarItems() { return {QStringLiteral("公历(阳历)"), QStringLiteral("农历(阴历)")}; }

QStringList ShortCalendarItems() { return {QStringLiteral("公历"), QStringLiteral("农历")}; }

QStringList BloodTypeItems() {
  return {QString(), QStringLiteral("A型"), QStringLiteral("B型"), QStringLiteral("O型"), QStringLiteral("AB型")};
}

QComboBox* MakeCombo(QWidget* parent, const char* objectName, const QRect& geometry, const QStringList& items,
                     bool editable, int currentIndex) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(objectName));
  combo->setEditable(editable);
  if (editable) combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItems(items);
  combo->setMaxVisibleItems(16);
  combo->setCurrentIndex(currentIndex);
  combo->setGeometry(geometry);
  return combo;
}

void LimitGbkBytes(QLineEdit* edit, int bytes) {
  QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, bytes](const QString& text) {
    const std::string utf8 = ToUtf8(text);
    if (hehun::gbk::ByteLength(utf8) <= bytes) return;
    const QString cut = FromUtf8(hehun::gbk::TruncateBytes(utf8, bytes));
    const int cursor = qMin(edit->cursorPosition(), static_cast<int>(cut.size()));
    const QSignalBlocker block(edit);
    edit->setText(cut);
    edit->setCursorPosition(cursor);
  });
}

QLineEdit* MakeNameBox(QWidget* parent, const char* objectName, const QRect& geometry) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(objectName));
  edit->setGeometry(geometry);
  LimitGbkBytes(edit, kNameByteLimit);
  return edit;
}

QLabel* MakeLabel(QWidget* parent, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setGeometry(geometry);
  label->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
  return label;
}

QPushButton* MakePageButton(QWidget* parent, const char* objectName, const QString& caption, const QRect& geometry) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setGeometry(geometry);
  button->setCursor(Qt::PointingHandCursor);
  return button;
}

QLabel* MakeCaptionPanel(QWidget* parent, const char* objectName, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(objectName));
  label->setProperty("role", QStringLiteral("caption"));
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(geometry);
  return label;
}

hehun::BirthRowTexts RowTexts(const BirthRowControls& row) {
  hehun::BirthRowTexts texts;
  texts.name = ToUtf8(row.name->text());
  texts.calendarIndex = row.calendar->currentIndex();
  texts.year = ToUtf8(row.year->currentText());
  texts.month = ToUtf8(row.month->currentText());
  texts.day = ToUtf8(row.day->currentText());
  texts.hour = ToUtf8(row.hour->currentText());
  texts.minute = ToUtf8(row.minute->currentText());
  if (row.blood) texts.blood = ToUtf8(row.blood->currentText());
  if (row.place != nullptr) row.place->Fill(texts);
  return texts;
}

QFrame* MakeStrip(QWidget* page, const QRect& geometry) {
  auto* strip = new QFrame(page);
  strip->setProperty("role", QStringLiteral("strip"));
  strip->setGeometry(geometry);
  return strip;
}

QPlainTextEdit* MakeResultArea(QWidget* page, const char* objectName, const QRect& geometry) {
  auto* memo = new QPlainTextEdit(page);
  memo->setObjectName(QString::fromLatin1(objectName));
  memo->setReadOnly(true);
  memo->setFont(ReportFont(13));
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setGeometry(geometry);
  return memo;
}

}  // namespace hehun::ui
