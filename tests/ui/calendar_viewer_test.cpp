// 万年历 on Qt's offscreen platform: the controls and their ranges, the day
// grid of known months with its texts and colours, the spinners, the clicks
// on days and numbers, "今天", the six-week month, the month arrows rolling
// over the year, today's mark, 关闭 and Esc, closing when another window
// becomes active, and the opening from the function page.
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "app/appearance.h"
#include "app/calendar_viewer.h"
#include "app/main_window.h"
#include "app/ui_services.h"

using hehun::ui::CalendarViewer;

namespace {

template <class W>
W* Find(QWidget& window, const QString& name) {
  W* w = window.findChild<W*>(name);
  if (w == nullptr) qFatal("no control %s", qPrintable(name));
  return w;
}

QLabel* Number(QWidget& w, int cell) { return Find<QLabel>(w, QStringLiteral("DayNumber%1").arg(cell)); }
QLabel* Lunar(QWidget& w, int cell) { return Find<QLabel>(w, QStringLiteral("DayLunar%1").arg(cell)); }
QColor Color(QLabel* label) { return label->palette().color(QPalette::WindowText); }
QString Text(QWidget& w, const char* name) { return Find<QLabel>(w, QString::fromLatin1(name))->text(); }

// The cell (1 to 37) that shows day `day` of the month on screen.
int CellOfDay(QWidget& w, int day) {
  for (int i = 1; i <= CalendarViewer::kCells; ++i)
    if (!Number(w, i)->isHidden() && Number(w, i)->text() == QString::number(day)) return i;
  return 0;
}

QPoint HighlightPlace(QWidget& w) { return Find<QFrame>(w, QStringLiteral("Shape2"))->pos(); }

const QColor kGreen(0x00, 0x40, 0x00), kRed(0xFF, 0x00, 0x00), kOrange(0xFF, 0x80, 0x00), kBlue(0x53, 0x53, 0xFF);

class FakeServices : public hehun::ui::UiServices {
 public:
  void ShowInfo(QWidget*, const QString&) override {}
  void Notice(QWidget*, const QString&) override {}
  void ShowError(QWidget*, const QString&) override {}
  QString ChooseSaveFile(QFileDialog*) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
  void OpenUrl(const QUrl&) override {}
};

}  // namespace

class CalendarViewerTest : public QObject {
  Q_OBJECT

 private slots:
  void ControlsAndTemplates() {
    CalendarViewer w(nullptr, QDate(2024, 3, 5));
    w.show();
    QCOMPARE(w.windowTitle(), QStringLiteral("万年历"));
    QCOMPARE(w.size(), QSize(331, 355));  // client area of the 339 x 389 window
    QVERIFY(Find<QLabel>(w, QStringLiteral("day1"))->isHidden());
    QVERIFY(Find<QLabel>(w, QStringLiteral("Cnday"))->isHidden());
    QCOMPARE(w.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^DayNumber\\d+$"))).size(), 37);
    QCOMPARE(w.findChildren<QLabel*>(QRegularExpression(QStringLiteral("^DayLunar\\d+$"))).size(), 37);
    // Cells from the templates' places: 42 pixels apart, rows 32 pixels apart.
    QCOMPARE(Number(w, 1)->geometry(), QRect(14, 56, 36, 16));
    QCOMPARE(Lunar(w, 1)->geometry(), QRect(13, 73, 36, 12));
    QCOMPARE(Number(w, 7)->pos(), QPoint(14 + 6 * 42, 56));
    QCOMPARE(Number(w, 8)->pos(), QPoint(14, 88));
    QCOMPARE(Lunar(w, 37)->pos(), QPoint(13 + 42, 73 + 5 * 32));

    auto* year = Find<QSpinBox>(w, QStringLiteral("UpDown1"));
    auto* month = Find<QSpinBox>(w, QStringLiteral("UpDown2"));
    QCOMPARE(year->minimum(), 1901);
    QCOMPARE(year->maximum(), 2050);
    QCOMPARE(month->minimum(), 0);  // one step either side of 1 to 12 rolls the year
    QCOMPARE(month->maximum(), 13);
    QCOMPARE(year->value(), 2024);
    QCOMPARE(month->value(), 3);
    QVERIFY(year->isVisible() && month->isVisible());
    QCOMPARE(Text(w, "StaticText1"), QStringLiteral("今天"));
    QCOMPARE(Text(w, "Label2"), QStringLiteral("星期日"));
    QCOMPARE(Color(Find<QLabel>(w, QStringLiteral("Label8"))), QColor(Qt::red));
    QCOMPARE(Color(Find<QLabel>(w, QStringLiteral("Label11"))), QColor(Qt::black));
  }

  void February2020() {
    CalendarViewer w(nullptr, QDate(2020, 2, 14));
    w.show();
    // 1 February 2020 is a Saturday: cells 7 to 35.
    for (int i = 1; i <= 37; ++i) {
      const bool shown = i >= 7 && i <= 35;
      QCOMPARE(Number(w, i)->isVisible(), shown);
      QCOMPARE(Lunar(w, i)->isVisible(), shown);
    }
    QCOMPARE(Number(w, 7)->text(), QStringLiteral("1"));
    QCOMPARE(Number(w, 35)->text(), QStringLiteral("29"));
    QCOMPARE(Number(w, 7)->font().pointSize(), 11);
    const struct {
      int day;
      const char* text;
      QColor color;
    } cells[] = {
        {8, "元宵节", kOrange}, {4, "立春", kBlue},  {14, "情人节", kOrange},
        {23, "二月", kRed},     {1, "初八", kGreen}, {19, "雨水", kBlue},
    };
    for (const auto& c : cells) {
      QLabel* lunar = Lunar(w, 6 + c.day);
      QCOMPARE(lunar->text(), QString::fromUtf8(c.text));
      QCOMPARE(Color(lunar), c.color);
      QCOMPARE(lunar->property("day").toInt(), c.day);
    }
    QCOMPARE(Text(w, "Label1"), QStringLiteral("2020"));
    QCOMPARE(Text(w, "Label20"), QStringLiteral("2020"));
    QCOMPARE(Text(w, "Label17"), QStringLiteral("2"));
    QCOMPARE(Text(w, "Label16"), QStringLiteral("2"));
    QCOMPARE(Text(w, "Label21"), QStringLiteral("子鼠"));
    QCOMPARE(Text(w, "Label22"), QStringLiteral("水瓶座"));
    QCOMPARE(HighlightPlace(w), Number(w, 20)->pos() + QPoint(-1, 1));
  }

  void LunarNewYearAndMonthsStartingOnSaturday() {
    CalendarViewer w(nullptr, QDate(2023, 1, 10));
    w.show();
    QCOMPARE(Text(w, "Label21"), QStringLiteral("寅虎"));  // still 腊月 on 10 January
    // The festival replaces the red month name on 正月初一.
    QCOMPARE(Lunar(w, CellOfDay(w, 22))->text(), QStringLiteral("春节"));
    QCOMPARE(Color(Lunar(w, CellOfDay(w, 22))), kOrange);
    QCOMPARE(Lunar(w, CellOfDay(w, 21))->text(), QStringLiteral("除夕"));
    QCOMPARE(Lunar(w, CellOfDay(w, 5))->text(), QStringLiteral("小寒"));  // 2023-01-05
    QCOMPARE(Lunar(w, CellOfDay(w, 1))->text(), QStringLiteral("元旦节"));

    // May 2021 begins on a Saturday and has 31 days: cells 7 to 37.
    w.ShowMonth(QDate(2021, 5, 1));
    for (int i = 1; i <= 6; ++i) QVERIFY(Number(w, i)->isHidden());
    QCOMPARE(Number(w, 7)->text(), QStringLiteral("1"));
    QCOMPARE(Number(w, 36)->text(), QStringLiteral("30"));
    QCOMPARE(Number(w, 37)->text(), QStringLiteral("31"));
    QVERIFY(Number(w, 37)->isVisible());
    QCOMPARE(Lunar(w, 7)->text(), QStringLiteral("劳动节"));
    QCOMPARE(Lunar(w, 7 + 8)->text(), QStringLiteral("母亲节"));  // 9 May 2021
    QCOMPARE(Text(w, "Label21"), QStringLiteral("丑牛"));

    // A leap month's first day: its name without 月, in red.
    w.ShowMonth(QDate(2020, 5, 1));
    QCOMPARE(Lunar(w, CellOfDay(w, 23))->text(), QStringLiteral("闰四"));
    QCOMPARE(Color(Lunar(w, CellOfDay(w, 23))), kRed);
  }

  void SpinnersKeepTheDayWithinTheMonth() {
    CalendarViewer w(nullptr, QDate(2024, 3, 31));
    w.show();
    auto* month = Find<QSpinBox>(w, QStringLiteral("UpDown2"));
    auto* year = Find<QSpinBox>(w, QStringLiteral("UpDown1"));
    month->stepUp();
    QCOMPARE(Text(w, "Label17"), QStringLiteral("4"));
    QCOMPARE(Text(w, "Label22"), QStringLiteral("金牛座"));
    QCOMPARE(HighlightPlace(w), Number(w, CellOfDay(w, 30))->pos() + QPoint(-1, 1));
    QTest::keyClick(month, Qt::Key_Up);  // May: the remembered day 31 exists again
    QCOMPARE(Text(w, "Label17"), QStringLiteral("5"));
    QCOMPARE(HighlightPlace(w), Number(w, CellOfDay(w, 31))->pos() + QPoint(-1, 1));
    QTest::keyClick(month, Qt::Key_1);  // the arrows only: typing changes nothing
    QCOMPARE(month->value(), 5);
    month->setValue(8);
    w.ShowMonth(QDate(2024, 8, 23));
    QCOMPARE(Text(w, "Label22"), QStringLiteral("处女座"));

    year->setValue(2051);
    QCOMPARE(year->value(), 2050);
    QCOMPARE(Text(w, "Label1"), QStringLiteral("2050"));
    year->setValue(1800);
    QCOMPARE(year->value(), 1901);
    QCOMPARE(Text(w, "Label1"), QStringLiteral("1901"));
    QCOMPARE(w.SelectedDate(), QDate(2024, 3, 31));  // the spinners select nothing
  }

  void ClicksOnDaysNumbersAndToday() {
    CalendarViewer w(nullptr, QDate(2024, 3, 5));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const int cell18 = CellOfDay(w, 18);
    QTest::mousePress(Number(w, cell18), Qt::LeftButton);
    QCOMPARE(HighlightPlace(w), Number(w, cell18)->pos() + QPoint(-1, 1));
    QCOMPARE(w.SelectedDate(), QDate(2024, 3, 5));
    QTest::mouseRelease(Number(w, cell18), Qt::LeftButton);
    QCOMPARE(w.SelectedDate(), QDate(2024, 3, 18));
    QCOMPARE(Text(w, "Label22"), QStringLiteral("双鱼座"));  // still the sign of the drawn day

    const int cell25 = CellOfDay(w, 25);
    QTest::mouseClick(Lunar(w, cell25), Qt::LeftButton);
    QCOMPARE(HighlightPlace(w), Lunar(w, cell25)->pos() - QPoint(0, 16));
    QCOMPARE(w.SelectedDate(), QDate(2024, 3, 25));

    auto* year = Find<QSpinBox>(w, QStringLiteral("UpDown1"));
    auto* month = Find<QSpinBox>(w, QStringLiteral("UpDown2"));
    QTest::mouseClick(Find<QLabel>(w, QStringLiteral("Label1")), Qt::LeftButton);
    QVERIFY(year->isVisible() && month->isHidden());
    QTest::mouseClick(Find<QLabel>(w, QStringLiteral("Label17")), Qt::LeftButton);
    QVERIFY(month->isVisible() && year->isHidden());

    month->setValue(11);
    year->setValue(2030);
    QCOMPARE(Text(w, "Label1"), QStringLiteral("2030"));
    QTest::mouseClick(Find<QLabel>(w, QStringLiteral("StaticText1")), Qt::LeftButton);
    QCOMPARE(w.SelectedDate(), QDate(2024, 3, 5));
    QCOMPARE(year->value(), 2024);
    QCOMPARE(month->value(), 3);
    QCOMPARE(Text(w, "Label17"), QStringLiteral("3"));
    QCOMPARE(HighlightPlace(w), Number(w, CellOfDay(w, 5))->pos() + QPoint(-1, 1));
  }

  void TodayOutsideTheTableShowsGregorianDaysOnly() {
    CalendarViewer w(nullptr, QDate(2060, 1, 1));
    w.show();
    QCOMPARE(Text(w, "Label1"), QStringLiteral("2060"));
    QCOMPARE(Text(w, "Label21"), QString());
    QCOMPARE(Lunar(w, CellOfDay(w, 1))->text(), QStringLiteral("元旦节"));
    QCOMPARE(Lunar(w, CellOfDay(w, 2))->text(), QString());
    QCOMPARE(Number(w, CellOfDay(w, 31))->text(), QStringLiteral("31"));
  }

  // 2027-10 begins on a Friday: its 31st is in a sixth week, which stays
  // clear of the zodiac and star-sign labels and of the separator.
  void SixWeekMonthHasRoom() {
    CalendarViewer w(nullptr, QDate(2027, 10, 31));
    w.show();
    const int cell = CellOfDay(w, 31);
    QCOMPARE(cell, 36);
    const QRect lastRow = Number(w, cell)->geometry().united(Lunar(w, cell)->geometry());
    for (const char* name : {"Label21", "Label22"}) {
      const QRect label = Find<QLabel>(w, QString::fromLatin1(name))->geometry();
      QVERIFY2(label.top() > lastRow.bottom(), name);
    }
    const QRect separator = Find<QFrame>(w, QStringLiteral("Bevel1"))->geometry();
    QVERIFY(separator.top() > Find<QLabel>(w, QStringLiteral("Label21"))->geometry().bottom());
    QVERIFY(Find<QLabel>(w, QStringLiteral("Label9"))->geometry().top() > separator.bottom());
    auto* close = Find<QPushButton>(w, QStringLiteral("ButtonClose"));
    QVERIFY(close->geometry().top() > Find<QLabel>(w, QStringLiteral("Label9"))->geometry().bottom());
    QVERIFY(w.rect().contains(close->geometry()));
  }

  void MonthArrowsRollOverTheYear() {
    CalendarViewer w(nullptr, QDate(2024, 12, 31));
    w.show();
    auto* month = Find<QSpinBox>(w, QStringLiteral("UpDown2"));
    auto* year = Find<QSpinBox>(w, QStringLiteral("UpDown1"));
    month->stepUp();
    QCOMPARE(month->value(), 1);
    QCOMPARE(year->value(), 2025);
    QCOMPARE(Text(w, "Label1"), QStringLiteral("2025"));
    QCOMPARE(Text(w, "Label17"), QStringLiteral("1"));
    QCOMPARE(Number(w, CellOfDay(w, 31))->text(), QStringLiteral("31"));
    month->stepDown();
    QCOMPARE(month->value(), 12);
    QCOMPARE(year->value(), 2024);
    QCOMPARE(Text(w, "Label17"), QStringLiteral("12"));
    // The ends of the calendar do not roll further.
    year->setValue(1901);
    month->setValue(1);
    month->stepDown();
    QCOMPARE(month->value(), 1);
    QCOMPARE(year->value(), 1901);
    year->setValue(2050);
    month->setValue(12);
    month->stepUp();
    QCOMPARE(month->value(), 12);
    QCOMPARE(year->value(), 2050);
  }

  void TodayIsMarkedApartFromTheChosenDay() {
    CalendarViewer w(nullptr, QDate(2027, 10, 12));
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto* mark = Find<QFrame>(w, QStringLiteral("TodayMark"));
    const QPoint todayCell = Number(w, CellOfDay(w, 12))->pos();
    QVERIFY(mark->isVisible());
    QVERIFY(mark->geometry().contains(Number(w, CellOfDay(w, 12))->geometry()));
    QTest::mouseClick(Number(w, CellOfDay(w, 20)), Qt::LeftButton);
    QCOMPARE(HighlightPlace(w), Number(w, CellOfDay(w, 20))->pos() + QPoint(-1, 1));
    QCOMPARE(Number(w, CellOfDay(w, 12))->pos(), todayCell);
    QVERIFY(mark->geometry().contains(Number(w, CellOfDay(w, 12))->geometry()));
    QVERIFY(!mark->geometry().contains(HighlightPlace(w) + QPoint(2, 2)));
    Find<QSpinBox>(w, QStringLiteral("UpDown2"))->stepUp();  // November: today is not on screen
    QVERIFY(mark->isHidden());
    Find<QSpinBox>(w, QStringLiteral("UpDown2"))->stepDown();
    QVERIFY(mark->isVisible());
  }

  void CloseButtonAndEscapeClose() {
    for (const bool escape : {false, true}) {
      CalendarViewer w(nullptr, QDate(2024, 3, 5));
      w.show();
      QVERIFY(QTest::qWaitForWindowExposed(&w));
      if (escape)
        QTest::keyClick(&w, Qt::Key_Escape);
      else
        Find<QPushButton>(w, QStringLiteral("ButtonClose"))->click();
      QVERIFY(w.isHidden());
    }
  }

  void ClosesWhenAnotherWindowBecomesActive() {
    CalendarViewer w(nullptr, QDate(2024, 3, 5));
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QTRY_VERIFY(w.isHidden());
  }

  void FunctionPageOpensAFreshViewerEachTime() {
    FakeServices services;
    hehun::ui::MainWindow main(&services, QDate(2024, 3, 5));
    main.show();
    auto* button = Find<QToolButton>(main, QStringLiteral("RzToolButton36"));
    QList<QPointer<CalendarViewer>> opened;
    for (int i = 0; i < 2; ++i) {
      QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CalendarViewer*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        QVERIFY(dialog->isModal());
        opened << dialog;
        dialog->close();
      });
      button->click();
    }
    QCOMPARE(opened.size(), 2);
    QVERIFY(opened[0].isNull());  // destroyed by the second opening
    QVERIFY(!opened[1].isNull());
    QVERIFY(opened[1]->isHidden());
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  // Optional pictures of the window for a look by eye (not part of the checks).
  if (const QString dir = qEnvironmentVariable("HEHUN_SCREENSHOT_DIR"); !dir.isEmpty()) {
    FakeServices services;
    hehun::ui::MainWindow main(&services, QDate(2024, 3, 5));  // the viewer's owner, as on the function page
    for (const QDate& today : {QDate(2020, 2, 14), QDate(2023, 1, 22), QDate(2021, 5, 1), QDate(2027, 10, 12)}) {
      CalendarViewer w(&main, today);
      w.show();
      QTest::qWait(50);
      w.grab().save(dir + QStringLiteral("/calendar_viewer_%1.png").arg(today.toString(QStringLiteral("yyyyMMdd"))));
    }
  }
  CalendarViewerTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "calendar_viewer_test.moc"
