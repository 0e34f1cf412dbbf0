// The birth rows of the pages 合婚, 八字及星座 and 结婚吉日: the month list
// offers a lunar year's leap month and drops it with a year that lacks one;
// a 闰二月 birth gets its own report; pasted names keep one line; the blood
// types add the 血型配对 reading; a report that stops leaves no half report.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <QAbstractItemView>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/ui_services.h"
#include "main_window_fixture.h"

using hehun::ui::MainWindow;

namespace {

QStringList Items(QComboBox* combo) {
  QStringList items;
  for (int i = 0; i < combo->count(); ++i) items << combo->itemText(i);
  return items;
}

QString ReportOf(MainWindow& w, const QString& month, const QString& name = QStringLiteral("张三")) {
  FillRow(w, "Xing", "ComDate", "SYear", "SMonth", "Sday", "Shour", "CBFen", name, 1, "2023", month, "15",
          QStringLiteral("辰 8"), "30");
  FillRow(w, "Xing3", "ComDate3", "SYear3", "SMonth3", "Sday3", "Shour3", "CBFen3", QStringLiteral("李四"), 0, "1995",
          "3", "8", QStringLiteral("午 12"), "0");
  Click(w, "RzBitBtn2");
  return Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
}

}  // namespace

class BirthRowsTest : public QObject {
  Q_OBJECT

 private slots:
  void monthListsOfferTheLeapMonth() {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    const struct {
      const char *calendar, *year, *month;
    } rows[] = {{"ComDate", "SYear", "SMonth"}, {"ComDate3", "SYear3", "SMonth3"},
                {"ComDate2", "SYear2", "SMonth2"}, {"CBdate11", "Year1", "Month1"}, {"CBdate22", "Year2", "Month2"}};
    QStringList plain;
    for (int m = 1; m <= 12; ++m) plain << QString::number(m);
    QStringList leap2023 = plain;
    leap2023.insert(2, QStringLiteral("闰2"));
    for (const auto& r : rows) {
      auto* calendar = Find<QComboBox>(w, r.calendar);
      auto* year = Find<QComboBox>(w, r.year);
      auto* month = Find<QComboBox>(w, r.month);
      year->setCurrentText(QStringLiteral("2023"));
      QCOMPARE(Items(month), plain);  // Gregorian: no leap month
      calendar->setCurrentIndex(1);
      QCOMPARE(Items(month), leap2023);
      month->setCurrentIndex(2);
      QCOMPARE(month->currentText(), QStringLiteral("闰2"));
      year->setCurrentText(QStringLiteral("2020"));  // 闰四月: the leap second month falls back to 2
      QCOMPARE(month->itemText(4), QStringLiteral("闰4"));
      QCOMPARE(month->currentText(), QStringLiteral("2"));
      year->setCurrentText(QStringLiteral("2023"));
      month->setCurrentText(QStringLiteral("闰2"));
      calendar->setCurrentIndex(0);
      QCOMPARE(Items(month), plain);
      QCOMPARE(month->currentText(), QStringLiteral("2"));
    }
  }

  void aLeapMonthBirthGetsItsOwnReport() {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    const QString leap = ReportOf(w, QStringLiteral("闰2"));
    QVERIFY2(fake.infos.isEmpty() && fake.errors.isEmpty(), qPrintable((fake.infos + fake.errors).join('\n')));
    QVERIFY(leap.contains(QStringLiteral("您出生公历：2023年04月05日")));
    QVERIFY(leap.contains(QStringLiteral("农历：癸卯(兔年)闰二月十五")));
    const QString plain = ReportOf(w, QStringLiteral("2"));
    QVERIFY(plain.contains(QStringLiteral("您出生公历：2023年03月06日")));
    QVERIFY(plain.contains(QStringLiteral("农历：癸卯(兔年)二月十五")));

    // The personal page reads the same row.
    Find<QLineEdit>(w, "Xing2")->setText(QStringLiteral("张三"));
    Find<QComboBox>(w, "ComDate2")->setCurrentIndex(1);
    Find<QComboBox>(w, "SYear2")->setCurrentText(QStringLiteral("2023"));
    Find<QComboBox>(w, "SMonth2")->setCurrentText(QStringLiteral("闰2"));
    Find<QComboBox>(w, "Sday2")->setCurrentText(QStringLiteral("15"));
    Find<QComboBox>(w, "Shour2")->setCurrentText(QStringLiteral("辰 8"));
    Click(w, "RzButton2");
    const QString personal = Find<QPlainTextEdit>(w, "Memo1")->toPlainText();
    QVERIFY(personal.contains(QStringLiteral("农历：癸卯(兔年)闰二月十五")));
    QVERIFY(personal.contains(QStringLiteral("您出生公历：2023年04月05日")));
  }

  void pastedNamesKeepOneLine() {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    const QString report = ReportOf(w, QStringLiteral("2"), QStringLiteral("张\n三\t"));
    QVERIFY(report.contains(QStringLiteral("姓名：张三 年龄：")));
    Find<QLineEdit>(w, "Xing2")->setText(QStringLiteral("王\r\n五"));
    Find<QComboBox>(w, "SYear2")->setCurrentText(QStringLiteral("1990"));
    Click(w, "RzButton2");
    QVERIFY(Find<QPlainTextEdit>(w, "Memo1")->toPlainText().contains(QStringLiteral("姓名：王五\n")));
  }

  void bloodTypesAddTheBloodMatch() {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    const QString plain = ReportOf(w, QStringLiteral("2"));
    Find<QComboBox>(w, "ComboBoxDL")->setCurrentText(QStringLiteral("A型"));
    QCOMPARE(ReportOf(w, QStringLiteral("2")), plain);  // one blank: as without
    Find<QComboBox>(w, "ComboBoxXX")->setCurrentText(QStringLiteral("AB型"));
    const QString withBlood = ReportOf(w, QStringLiteral("2"));
    QVERIFY(withBlood.contains(QStringLiteral("\n血型配对：A型 与 AB型\n配对结论：")));
    QVERIFY(withBlood.endsWith(QString::fromUtf8(kClosingLine)));
  }

  void aStoppedReportLeavesTheLastCompleteOne() {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    const QString complete = ReportOf(w, QStringLiteral("2"));
    QVERIFY(!complete.isEmpty());
    // The woman's date fails after the man's half is written.
    Find<QComboBox>(w, "Sday3")->setCurrentText(QStringLiteral("30"));
    Find<QComboBox>(w, "SMonth3")->setCurrentText(QStringLiteral("2"));
    Click(w, "RzBitBtn2");
    QCOMPARE(fake.errors.size(), 1);
    QCOMPARE(Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText(), complete);
  }
};

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  // Optional pictures for a look by eye (not part of the checks): a lunar
  // 2023 month list open, an omen window and the conception table.
  if (const QString dir = qEnvironmentVariable("HEHUN_SCREENSHOT_DIR"); !dir.isEmpty()) {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    w.show();
    Find<QComboBox>(w, "ComDate")->setCurrentIndex(1);
    Find<QComboBox>(w, "SYear")->setCurrentText(QStringLiteral("2023"));
    auto* month = Find<QComboBox>(w, "SMonth");
    month->setCurrentIndex(2);
    month->showPopup();
    QTest::qWait(100);
    month->view()->window()->grab().save(dir + QStringLiteral("/month_list_2023_lunar.png"));
    month->hidePopup();
    w.grab().save(dir + QStringLiteral("/marriage_row_leap_month.png"));
    Click(w, "RzToolButton8");
    w.findChild<QToolButton*>(QStringLiteral("RzToolButton25"))->click();
    QTest::qWait(100);
    if (auto* omen = w.findChild<QWidget*>(QStringLiteral("TFormOnther")))
      omen->grab().save(dir + QStringLiteral("/omen_window.png"));
  }
  BirthRowsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "birth_rows_test.moc"
