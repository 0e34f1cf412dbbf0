#include "app/calendar_viewer.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMouseEvent>
#include <QScreen>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "app/window_closing.h"
#include "calendar/date.h"
#include "calendar/date_cn.h"

namespace hehun::ui {

namespace {

// The window's outer size is 339 x 389 with a 4-pixel border and a 26-pixel
// caption; the controls are placed in the client area that remains. The
// grid has room for six weeks (a 31-day month that starts on a Friday or a
// Saturday); the zodiac and star-sign labels, the separator, the second
// weekday row and the 关闭 button lie below it.
constexpr int kOuterWidth = 339;
constexpr int kOuterHeight = 389;
constexpr int kBorder = 4;
constexpr int kCaption = 26;
constexpr int kClientWidth = kOuterWidth - 2 * kBorder;
constexpr int kClientHeight = kOuterHeight - kCaption - 2 * kBorder;

// Cell layout: cell 1 at the templates' places, every further cell 42 pixels
// to the right, a new row of seven 32 pixels lower.
constexpr int kCellStepX = 42;
constexpr int kCellStepY = 32;
// The lowest edge of the sixth week's lunar line, and the separator under
// the labels below the grid.
constexpr int kGridBottom = 73 + 5 * kCellStepY + 12;
constexpr int kSeparatorTop = kGridBottom + 42;

const QColor kLunarGreen(0x00, 0x40, 0x00);
const QColor kMonthStartRed(0xFF, 0x00, 0x00);
const QColor kFestivalOrange(0xFF, 0x80, 0x00);
const QColor kTermBlue(0x53, 0x53, 0xFF);
const QColor kHighlightGreen(0x7E, 0xE2, 0x81);

const char* const kWeekdays[7] = {"星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六"};

// A font of the first installed family of `families`, sized in pixels as
// the viewer's layout is.
QFont PixelFont(const QStringList& families, int pixelSize, bool bold) {
  QFont f;
  f.setFamilies(families);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

QFont SongFont(int pixelSize, bool bold = false) {
  return PixelFont({QStringLiteral("SimSun"), QStringLiteral("宋体"), QStringLiteral("Noto Serif CJK SC"),
                    QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC")},
                   pixelSize, bold);
}

QFont HeiFont(int pixelSize, bool bold) {
  return PixelFont({QStringLiteral("SimHei"), QStringLiteral("黑体"), QStringLiteral("Noto Sans CJK SC")}, pixelSize,
                   bold);
}

QFont LiFont(int pixelSize, bool bold) {
  return PixelFont({QStringLiteral("LiSu"), QStringLiteral("隶书"), QStringLiteral("STLiti"),
                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")},
                   pixelSize, bold);
}

QFont ArialFont(int pixelSize, bool black) {
  QFont f;
  if (black)
    f.setFamilies({QStringLiteral("Arial Black"), QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
  else
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans"),
                   QStringLiteral("DejaVu Sans")});
  f.setStyleHint(QFont::SansSerif);
  f.setPixelSize(pixelSize);
  f.setWeight(black ? QFont::Black : QFont::Bold);
  return f;
}

void SetTextColor(QLabel* label, const QColor& color) {
  QPalette p = label->palette();
  p.setColor(QPalette::WindowText, color);
  label->setPalette(p);
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, int left, int top, const QFont& font,
                  const QColor& color = Qt::black) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  SetTextColor(label, color);
  label->move(left, top);
  label->adjustSize();
  return label;
}

QLabel* MakeFixedLabel(QWidget* parent, const char* name, const QRect& geometry, const QFont& font,
                       const QColor& color) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  SetTextColor(label, color);
  label->setAlignment(Qt::AlignCenter);
  label->setGeometry(geometry);
  return label;
}

QSpinBox* MakeUpDown(QWidget* parent, const char* name, int left, int top, int minimum, int maximum) {
  auto* spin = new QSpinBox(parent);
  spin->setObjectName(QString::fromLatin1(name));
  spin->setRange(minimum, maximum);
  spin->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  spin->setFrame(false);
  spin->setGeometry(left, top, 16, 24);
  // Only the arrows show; typed digits would jump to odd values.
  if (auto* edit = spin->findChild<QLineEdit*>()) edit->setReadOnly(true);
  return spin;
}

QFrame* MakeLine(QWidget* parent, const char* name, int top) {
  auto* line = new QFrame(parent);
  line->setObjectName(QString::fromLatin1(name));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  line->setGeometry(4, top, kClientWidth - 8, 2);
  return line;
}

}  // namespace

CalendarViewer::CalendarViewer(QWidget* parent, QDate today) : QDialog(parent), fixedToday_(today) {
  setObjectName(QStringLiteral("FRM_Date"));
  setWindowTitle(QStringLiteral("万年历"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(SongFont(12));
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  setAutoFillBackground(true);
  BuildControls();
  FormCreate();
}

void CalendarViewer::BuildControls() {
  frame_ = new QFrame(this);
  frame_->setObjectName(QStringLiteral("Shape1"));
  frame_->setFrameShape(QFrame::Box);
  frame_->setGeometry(0, 0, kClientWidth, kClientHeight);
  QPalette framePalette = frame_->palette();
  framePalette.setColor(QPalette::WindowText, QColor(0xB0, 0xB0, 0xB0));
  frame_->setPalette(framePalette);

  // The large pale year and month lie behind everything else.
  label20_ = MakeFixedLabel(this, "Label20", QRect(0, 56, 313, 72), ArialFont(64, true), QColor(0xFF, 0xE8, 0xDD));
  label16_ = MakeFixedLabel(this, "Label16", QRect(16, 146, 313, 134), ArialFont(120, true), QColor(0xEB, 0xEB, 0xEB));

  MakeLine(this, "Bevel2", 46);
  MakeLine(this, "Bevel1", kSeparatorTop);

  shape2_ = new QFrame(this);
  shape2_->setObjectName(QStringLiteral("Shape2"));
  shape2_->setGeometry(12, 56, 38, 30);
  shape2_->setFrameShape(QFrame::Box);
  QPalette shapePalette = shape2_->palette();
  shapePalette.setColor(QPalette::Window, kHighlightGreen);
  shapePalette.setColor(QPalette::WindowText, kHighlightGreen.darker(130));
  shape2_->setPalette(shapePalette);
  shape2_->setAutoFillBackground(true);

  label17_ = MakeLabel(this, "Label17", QString(), 10, 3, ArialFont(32, false), QColor(0x80, 0x80, 0xC0));
  label17_->setCursor(Qt::PointingHandCursor);
  label17_->setToolTip(QStringLiteral("单击改变月份"));
  label17_->installEventFilter(this);
  MakeLabel(this, "Label18", QStringLiteral("月"), 45, 17, SongFont(14, true));
  // One step past 12 or before 1 rolls over into the next or the previous year.
  upDown2_ = MakeUpDown(this, "UpDown2", 61, 10, 0, 13);

  label1_ = MakeLabel(this, "Label1", QString(), 120, 0, ArialFont(29, true), Qt::blue);
  label1_->setCursor(Qt::PointingHandCursor);
  label1_->setToolTip(QStringLiteral("单击改变年份"));
  label1_->installEventFilter(this);
  MakeLabel(this, "Label19", QStringLiteral("年"), 205, 17, SongFont(14, true));
  upDown1_ = MakeUpDown(this, "UpDown1", 221, 10, kFirstCnYear, kLastCnYear);

  staticText1_ = new QLabel(QStringLiteral("今天"), this);
  staticText1_->setObjectName(QStringLiteral("StaticText1"));
  staticText1_->setGeometry(272, 17, 28, 16);
  staticText1_->setAlignment(Qt::AlignCenter);
  staticText1_->setFrameShape(QFrame::Box);
  staticText1_->setCursor(Qt::PointingHandCursor);
  QPalette todayPalette = staticText1_->palette();
  todayPalette.setColor(QPalette::Window, QColor(0xCE, 0xF2, 0xD0));
  todayPalette.setColor(QPalette::WindowText, Qt::black);
  staticText1_->setPalette(todayPalette);
  staticText1_->setAutoFillBackground(true);
  staticText1_->installEventFilter(this);

  for (int i = 0; i < 7; ++i) {
    const QColor color = i == 0 || i == 6 ? QColor(Qt::red) : QColor(Qt::black);
    const QString name = QString::fromUtf8(kWeekdays[i]);
    MakeLabel(this, QStringLiteral("Label%1").arg(2 + i).toLatin1().constData(), name, 19 + 40 * i, 40, SongFont(12),
              color);
    MakeLabel(this, QStringLiteral("Label%1").arg(9 + i).toLatin1().constData(), name, 19 + 40 * i,
              kSeparatorTop + 13, SongFont(12), color);
  }

  label21_ = MakeFixedLabel(this, "Label21", QRect(230, kGridBottom + 2, 78, 35), LiFont(35, true),
                            QColor(0xDD, 0xDD, 0xFF));
  label22_ = MakeFixedLabel(this, "Label22", QRect(152, kGridBottom + 13, 69, 23), HeiFont(19, true),
                            QColor(0xFF, 0x80, 0xFF));

  // Today's day stands apart from the chosen one: a red frame, drawn over
  // the green highlight of the chosen day.
  todayMark_ = new QFrame(this);
  todayMark_->setObjectName(QStringLiteral("TodayMark"));
  todayMark_->setFrameShape(QFrame::Box);
  todayMark_->setLineWidth(1);
  QPalette markPalette = todayMark_->palette();
  markPalette.setColor(QPalette::WindowText, QColor(0xE0, 0x20, 0x20));
  todayMark_->setPalette(markPalette);
  todayMark_->setAttribute(Qt::WA_TransparentForMouseEvents);
  todayMark_->hide();

  closeButton_ = AddCloseButton(this);
  closeButton_->setGeometry(kClientWidth - 70, kClientHeight - 30, 62, 24);

  // Hidden templates of the day grid's two labels.
  dayTemplate_ = MakeFixedLabel(this, "day1", QRect(14, 56, 36, 16), ArialFont(14, true), Qt::black);
  dayTemplate_->setText(QStringLiteral("1"));
  dayTemplate_->hide();
  lunarTemplate_ = MakeFixedLabel(this, "Cnday", QRect(13, 73, 36, 12), SongFont(12), kLunarGreen);
  lunarTemplate_->setText(QStringLiteral("初一"));
  lunarTemplate_->hide();

  connect(upDown1_, &QSpinBox::valueChanged, this, [this] { UpDown1Click(); });
  connect(upDown2_, &QSpinBox::valueChanged, this, [this] { UpDown2Click(); });
}

// Builds the 37 cells of the day grid from the two hidden templates.
void CalendarViewer::FormCreate() {
  for (int i = 0; i < kCells; ++i) {
    const int column = i % 7;
    const int row = i / 7;
    Cell& cell = cells_[i];
    cell.number = new QLabel(this);
    cell.number->setObjectName(QStringLiteral("DayNumber%1").arg(i + 1));
    cell.lunar = new QLabel(this);
    cell.lunar->setObjectName(QStringLiteral("DayLunar%1").arg(i + 1));
    for (auto [label, from] : {std::pair{cell.number, dayTemplate_}, std::pair{cell.lunar, lunarTemplate_}}) {
      label->resize(from->size());
      label->setAlignment(from->alignment());
      label->setWordWrap(from->wordWrap());
      label->setFont(from->font());
      label->setPalette(from->palette());
      label->setAutoFillBackground(false);  // transparent
      label->move(from->x() + column * kCellStepX, from->y() + row * kCellStepY);
      label->setProperty("day", 0);
      label->installEventFilter(this);
      label->hide();
    }
  }
  selected_ = Today();
}

QDate CalendarViewer::Today() const { return fixedToday_.isValid() ? fixedToday_ : QDate::currentDate(); }

QDate CalendarViewer::CurrentDate() const {
  const int last = QDate(year_, month_, 1).daysInMonth();
  return QDate(year_, month_, std::min(day_, last));
}

void CalendarViewer::ShowMonth(QDate x) {
  if (!x.isValid()) return;
  const int y = x.year();
  const int m = x.month();
  const int d = x.day();
  const DateValue xValue = EncodeDate(y, m, d);

  label20_->setText(QString::number(y));
  label17_->setText(QString::number(m));
  label17_->adjustSize();
  label16_->setText(QString::number(m));
  label1_->setText(QString::number(y));
  label1_->adjustSize();
  label21_->setText(QString::fromStdString(CnZodiacLabel(xValue)));

  for (Cell& cell : cells_) {
    for (QLabel* label : {cell.number, cell.lunar}) {
      label->hide();
      SetTextColor(label, Qt::black);
      label->setAutoFillBackground(false);
    }
    QFont f = cell.number->font();
    f.setPointSize(11);
    cell.number->setFont(f);
  }

  todayMark_->hide();
  const QDate today = Today();
  const int first = QDate(y, m, 1).dayOfWeek() % 7 + 1;  // 1 = Sunday … 7 = Saturday
  const int days = x.daysInMonth();
  for (int k = 1; k <= days; ++k) {
    const int index = first + k - 2;
    if (index < 0 || index >= kCells) break;
    Cell& cell = cells_[index];
    const DateValue date = EncodeDate(y, m, k);

    cell.number->setText(QString::number(k));
    cell.number->setProperty("day", k);
    cell.lunar->setProperty("day", k);

    std::string text = CnLunarDayName(date);
    QColor color = kLunarGreen;
    if (text == "初一") {
      text = CnLunarMonthName(date);
      color = kMonthStartRed;
    }
    if (std::string festival = SolarFestivalName(k, xValue); !festival.empty()) {
      text = festival;
      color = kFestivalOrange;
    }
    if (std::string term = CnSolarTermName(date); !term.empty()) {
      text = term;
      color = kTermBlue;
    }
    if (std::string festival = CnLunarFestival(date); !festival.empty()) {
      text = festival;
      color = kFestivalOrange;
    }
    cell.lunar->setText(QString::fromStdString(text));
    SetTextColor(cell.lunar, color);

    if (k == d) {
      shape2_->move(cell.number->x() - 1, cell.number->y() + 1);
      label22_->setText(QString::fromStdString(CnStarSignOfDay(d, xValue)));
    }
    if (today == QDate(y, m, k)) {
      todayMark_->setGeometry(cell.number->x() - 3, cell.number->y() - 1, 42, 32);
      todayMark_->show();
      todayMark_->raise();
    }
    cell.number->show();
    cell.lunar->show();
  }
}

void CalendarViewer::FormShow() {
  year_ = selected_.year();
  month_ = selected_.month();
  day_ = selected_.day();
  {
    const QSignalBlocker blockYear(upDown1_);
    const QSignalBlocker blockMonth(upDown2_);
    upDown1_->setValue(year_);
    upDown2_->setValue(month_);
  }
  ShowMonth(selected_);
}

void CalendarViewer::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;
  if (parentWidget() != nullptr) {
    CentreOnOwner(this, parentWidget());
  } else if (QScreen* screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - QPoint(kOuterWidth / 2, kOuterHeight / 2));
  }
  FormShow();
}

void CalendarViewer::changeEvent(QEvent* event) {
  QDialog::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  // Close once the user has switched to another window; only after the
  // window has been active, so that the moment before its first activation
  // does not count.
  if (isActiveWindow())
    wasActive_ = true;
  else if (wasActive_ && isVisible())
    close();
}

void CalendarViewer::UpDown1Click() {
  year_ = upDown1_->value();
  ShowMonth(CurrentDate());
}

void CalendarViewer::UpDown2Click() {
  int month = upDown2_->value();
  int year = year_;
  if (month == 13) {
    month = 1;
    ++year;
  } else if (month == 0) {
    month = 12;
    --year;
  }
  // The first and last years of the calendar do not roll further.
  if (year < kFirstCnYear || year > kLastCnYear) {
    year = year_;
    month = month_;
  }
  year_ = year;
  month_ = month;
  {
    const QSignalBlocker blockYear(upDown1_);
    const QSignalBlocker blockMonth(upDown2_);
    upDown1_->setValue(year_);
    upDown2_->setValue(month_);
  }
  ShowMonth(CurrentDate());
}

void CalendarViewer::Label1Click() {
  upDown1_->show();
  upDown2_->hide();
}

void CalendarViewer::Label17Click() {
  upDown2_->show();
  upDown1_->hide();
}

void CalendarViewer::StaticText1Click() {
  selected_ = Today();
  FormShow();
}

void CalendarViewer::DayMouseDown(QLabel* label) {
  for (const Cell& cell : cells_) {
    if (label == cell.number) shape2_->move(label->x() - 1, label->y() + 1);
    if (label == cell.lunar) shape2_->move(label->x(), label->y() - 16);
  }
}

void CalendarViewer::DayClick(QLabel* label) {
  day_ = label->property("day").toInt();
  const QDate date(year_, month_, day_);
  if (date.isValid()) selected_ = date;
}

bool CalendarViewer::eventFilter(QObject* watched, QEvent* event) {
  auto* label = qobject_cast<QLabel*>(watched);
  if (label == nullptr) return QDialog::eventFilter(watched, event);
  const bool isCell = label->property("day").isValid();
  if (event->type() == QEvent::MouseButtonPress) {
    if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return false;
    if (isCell) DayMouseDown(label);
    return isCell;
  }
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() != Qt::LeftButton || !label->rect().contains(mouse->position().toPoint())) return false;
    if (isCell)
      DayClick(label);
    else if (label == label1_)
      Label1Click();
    else if (label == label17_)
      Label17Click();
    else if (label == staticText1_)
      StaticText1Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hehun::ui
