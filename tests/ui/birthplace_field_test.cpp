// The birthplace boxes of the pages 合婚, 八字及星座 and 结婚吉日: places
// offered as one types, 真太阳时 switched on with a place, the place and the
// correction reaching the reports, and the message for a place not found.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QDir>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>

#include "app/main_window.h"
#include "main_window_fixture.h"

using hehun::ui::MainWindow;

namespace {

// Chinese text arrives as an input method commits it.
void Type(QLineEdit* edit, const QString& text) {
  QInputMethodEvent commit;
  commit.setCommitString(text);
  QApplication::sendEvent(edit, &commit);
}

QStringList Offers(QLineEdit* edit) {
  QStringList names;
  const QAbstractItemModel* model = edit->completer()->model();
  for (int row = 0; row < model->rowCount(); ++row) names << model->index(row, 0).data().toString();
  return names;
}

// The line "八字：…" of the man's half of the marriage report.
QString ManPillars(const QString& report) {
  for (const QString& line : Lines(report))
    if (line.startsWith(QStringLiteral("八字："))) return line;
  return {};
}

}  // namespace

class BirthPlaceFieldTest : public QObject {
  Q_OBJECT

 private slots:
  void typingOffersPlaces_data();
  void typingOffersPlaces();
  void choosingAPlaceSwitchesOnSolarTime();
  void placeAndSolarTimeMoveTheHourPillar_data();
  void placeAndSolarTimeMoveTheHourPillar();
  void clearedPlaceLeavesTheReportUnchanged();
  void unknownPlaceShowsTheMessage_data();
  void unknownPlaceShowsTheMessage();
  void personalReportPrintsThePlace();
  void screenshots();
};

void BirthPlaceFieldTest::typingOffersPlaces_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("alsoOffered");
  QTest::newRow("city and its districts") << "成都" << "四川省成都市" << "四川省成都市武侯区";
  QTest::newRow("prefix of a city") << "成" << "四川省成都市" << "";
  QTest::newRow("abroad") << "吉隆坡" << "马来西亚 吉隆坡" << "";
  QTest::newRow("province") << "四川" << "四川省" << "四川省成都市";
  QTest::newRow("traditional alias") << "臺北" << "台湾省台北市" << "";
}

void BirthPlaceFieldTest::typingOffersPlaces() {
  QFETCH(QString, typed);
  QFETCH(QString, first);
  QFETCH(QString, alsoOffered);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  auto* edit = Find<QLineEdit>(w, "EditPlaceWoman");
  edit->setFocus();
  Type(edit, typed);
  QCOMPARE(edit->text(), typed);
  const QStringList offers = Offers(edit);
  QVERIFY2(!offers.isEmpty() && offers.first() == first, qPrintable(offers.join(' ')));
  if (!alsoOffered.isEmpty()) QVERIFY2(offers.contains(alsoOffered), qPrintable(offers.join(' ')));
  QVERIFY(edit->completer()->popup()->isVisible());
}

void BirthPlaceFieldTest::choosingAPlaceSwitchesOnSolarTime() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  auto* edit = Find<QLineEdit>(w, "EditPlaceMan");
  auto* solar = Find<QCheckBox>(w, "CheckSolarMan");
  QVERIFY(!solar->isChecked() && !solar->isEnabled());  // no place, nothing to correct

  edit->setFocus();
  Type(edit, QStringLiteral("成都"));
  QAbstractItemView* popup = edit->completer()->popup();
  QVERIFY(popup->isVisible());
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Return);
  QCOMPARE(edit->text(), QStringLiteral("四川省成都市"));
  QVERIFY(solar->isEnabled() && solar->isChecked());

  // The user may switch it off; editing the place keeps that choice.
  solar->click();
  QVERIFY(!solar->isChecked());
  QTest::keyClick(edit, Qt::Key_Backspace);
  QVERIFY(!solar->isChecked());
  // Cleared: off and disabled; a new place switches it on again.
  edit->clear();
  QVERIFY(!solar->isChecked() && !solar->isEnabled());
  QTest::keyClicks(edit, QStringLiteral("104.07"));
  QVERIFY(solar->isEnabled() && solar->isChecked());
}

void BirthPlaceFieldTest::placeAndSolarTimeMoveTheHourPillar_data() {
  QTest::addColumn<QString>("place");
  QTest::addColumn<bool>("solar");
  QTest::addColumn<QString>("hourBranch");
  QTest::addColumn<QString>("placeLines");
  // 1995-06-15 11:30 Beijing time, no daylight saving time that year: in
  // Chengdu (104.07°E) the sun shows about 10:26, the hour of 巳, not 午.
  QTest::newRow("no place") << "" << true << "午" << "";
  QTest::newRow("Chengdu, true solar time") << "成都" << true << "巳" << "真太阳时：1995-06-15 10:2";
  QTest::newRow("Chengdu, clock time") << "成都" << false << "午" << "（未用于排盘）";
}

void BirthPlaceFieldTest::placeAndSolarTimeMoveTheHourPillar() {
  QFETCH(QString, place);
  QFETCH(bool, solar);
  QFETCH(QString, hourBranch);
  QFETCH(QString, placeLines);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Find<QComboBox>(w, "SYear")->setCurrentText("1995");
  Find<QLineEdit>(w, "EditPlaceMan")->setText(place);
  Find<QCheckBox>(w, "CheckSolarMan")->setChecked(solar);
  Click(w, "RzBitBtn2");
  QVERIFY2(fake.infos.isEmpty() && fake.errors.isEmpty(), qPrintable((fake.infos + fake.errors).join('\n')));
  const QString report = Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
  const QString pillars = ManPillars(report);
  QVERIFY2(pillars.endsWith(hourBranch), qPrintable(pillars));
  if (placeLines.isEmpty()) {
    QVERIFY(!report.contains(QStringLiteral("出生地：")) && !report.contains(QStringLiteral("交运：")));
  } else {
    QVERIFY(report.contains(QStringLiteral("出生地：四川省成都市\n北京时间：1995-06-15 11:30\n")));
    QVERIFY2(report.contains(placeLines), qPrintable(report.left(400)));
    QVERIFY(report.contains(QStringLiteral("交运：")) && report.contains(QStringLiteral("交运日：")));
    QCOMPARE(report.count(QStringLiteral("出生地：")), 1);  // the woman has none
  }
}

void BirthPlaceFieldTest::clearedPlaceLeavesTheReportUnchanged() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Click(w, "RzBitBtn2");
  const QString before = Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
  auto* edit = Find<QLineEdit>(w, "EditPlaceWoman");
  edit->setText(QStringLiteral("吉隆坡"));
  Click(w, "RzBitBtn2");
  QVERIFY(Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText().contains(QStringLiteral("出生地：马来西亚 吉隆坡")));
  edit->setText(QStringLiteral("  "));
  Click(w, "RzBitBtn2");
  QVERIFY2(fake.infos.isEmpty() && fake.errors.isEmpty(), qPrintable((fake.infos + fake.errors).join('\n')));
  QCOMPARE(Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText(), before);
}

void BirthPlaceFieldTest::unknownPlaceShowsTheMessage_data() {
  QTest::addColumn<QString>("page");
  QTest::addColumn<QString>("edit");
  QTest::addColumn<QString>("run");
  QTest::addColumn<QString>("memo");
  QTest::newRow("marriage, woman") << "RzToolButton2" << "EditPlaceWoman" << "RzBitBtn2" << "MemoSuccess";
  QTest::newRow("personal") << "RzToolButton1" << "EditPlace" << "RzButton2" << "Memo1";
  QTest::newRow("wedding, man") << "RzToolButton4" << "EditPlaceMan11" << "RzBitBtn32" << "Memo2";
}

void BirthPlaceFieldTest::unknownPlaceShowsTheMessage() {
  QFETCH(QString, page);
  QFETCH(QString, edit);
  QFETCH(QString, run);
  QFETCH(QString, memo);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  Click(w, page.toLatin1().constData());
  auto* result = Find<QPlainTextEdit>(w, memo.toLatin1().constData());
  result->setPlainText(QStringLiteral("上一次的结果"));
  Find<QLineEdit>(w, edit.toLatin1().constData())->setText(QStringLiteral("成都府"));
  Find<QAbstractButton>(w, run.toLatin1().constData())->setFocus();
  Click(w, run.toLatin1().constData());
  QCOMPARE(fake.errors.size(), 1);
  // The core's message, with the places nearly matched.
  QVERIFY2(fake.errors.first().startsWith(QStringLiteral("找不到出生地“成都府”，相近的有：四川省成都市")),
           qPrintable(fake.errors.first()));
  QVERIFY(fake.infos.isEmpty());
  QCOMPARE(QApplication::focusWidget()->objectName(), edit);
  QCOMPARE(result->toPlainText(), QStringLiteral("上一次的结果"));
}

void BirthPlaceFieldTest::personalReportPrintsThePlace() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  Click(w, "RzToolButton1");
  Find<QLineEdit>(w, "Xing2")->setText(QStringLiteral("陈静"));
  Find<QComboBox>(w, "SYear2")->setCurrentText("1988");
  Find<QComboBox>(w, "SMonth2")->setCurrentText("7");
  Find<QComboBox>(w, "Sday2")->setCurrentText("21");
  Find<QComboBox>(w, "Shour2")->setCurrentText(QStringLiteral("辰 8"));
  Find<QLineEdit>(w, "EditPlace")->setText(QStringLiteral("乌鲁木齐"));
  Click(w, "RzButton2");
  QVERIFY2(fake.infos.isEmpty() && fake.errors.isEmpty(), qPrintable((fake.infos + fake.errors).join('\n')));
  const QString report = Find<QPlainTextEdit>(w, "Memo1")->toPlainText();
  // China kept daylight saving time in the summer of 1988.
  QVERIFY2(report.contains(QStringLiteral("出生地：新疆维吾尔自治区乌鲁木齐市\n北京时间：1988-07-21 07:00（夏令时已扣除1小时）\n")),
           qPrintable(report.left(400)));
  QVERIFY(report.contains(QStringLiteral("交运：")));
}

// With HEHUN_SCREENSHOT_DIR set: the three pages with their places filled,
// for looking at (run at QT_SCALE_FACTOR=2 too).
void BirthPlaceFieldTest::screenshots() {
  const QString dir = qEnvironmentVariable("HEHUN_SCREENSHOT_DIR");
  if (dir.isEmpty()) QSKIP("HEHUN_SCREENSHOT_DIR not set");
  const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  FillCouple(w);
  Find<QLineEdit>(w, "EditPlaceMan")->setText(QStringLiteral("四川省成都市"));
  Find<QLineEdit>(w, "EditPlaceWoman")->setText(QStringLiteral("马来西亚 吉隆坡"));
  Click(w, "RzBitBtn2");
  QApplication::processEvents();
  w.grab().save(QDir(dir).filePath(QStringLiteral("marriage_x%1.png").arg(scale)));

  Click(w, "RzToolButton1");
  Find<QLineEdit>(w, "Xing2")->setText(QStringLiteral("陈静"));
  Find<QLineEdit>(w, "EditPlace")->setText(QStringLiteral("新疆维吾尔自治区乌鲁木齐市"));
  Click(w, "RzButton2");
  QApplication::processEvents();
  w.grab().save(QDir(dir).filePath(QStringLiteral("personal_x%1.png").arg(scale)));

  Click(w, "RzToolButton4");
  auto* edit = Find<QLineEdit>(w, "EditPlaceWoman22");
  edit->setFocus();
  Type(edit, QStringLiteral("成都"));
  QApplication::processEvents();
  QPixmap shot = w.grab();
  // The completion list is a window of its own: paint it in where it lies.
  QWidget* popup = edit->completer()->popup();
  if (popup->isVisible()) {
    QPainter painter(&shot);
    painter.drawPixmap(w.mapFromGlobal(popup->mapToGlobal(QPoint(0, 0))), popup->grab());
  }
  shot.save(QDir(dir).filePath(QStringLiteral("wedding_x%1.png").arg(scale)));
}

QTEST_MAIN(BirthPlaceFieldTest)
#include "birthplace_field_test.moc"
