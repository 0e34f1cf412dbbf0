// The pages 合婚 and 八字及星座 of the main window on Qt's offscreen
// platform: the checks of the rows, the two reports as they fill the result
// areas, and saving and printing a result.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/appearance.h"
#include "app/main_window.h"
#include "main_window_fixture.h"

using hehun::ui::MainWindow;

class ReportPagesTest : public QObject {
  Q_OBJECT

 private slots:
  void marriageValidation_data();
  void marriageValidation();
  void manRowRefusalKeepsPreviousReport();
  void completeMarriageReport();
  void conversionErrorLeavesNoHalfReport();
  void personalReportReplacesMemo();
  void personalValidationKeepsMemo();
  void saveWritesUtf8Text();
  void saveCancelledWritesNothing();
  void printToPdf();
};

void ReportPagesTest::marriageValidation_data() {
  QTest::addColumn<QString>("control");
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("focus");
  QTest::newRow("man name") << "Xing" << "男方姓名不能为空!" << "Xing";
  QTest::newRow("man year") << "SYear" << "请选择男方出生年!" << "";
  QTest::newRow("man month") << "SMonth" << "请选择男方出生月!" << "";
  QTest::newRow("man day") << "Sday" << "请选择男方出生日!" << "";
  QTest::newRow("man hour") << "Shour" << "请选择男方出生小时!" << "";
  QTest::newRow("woman name") << "Xing3" << "女方姓名不能为空!" << "Xing3";
  QTest::newRow("woman year") << "SYear3" << "请选择女方出生年!" << "";
  QTest::newRow("woman month") << "SMonth3" << "请选择女方出生月!" << "";
  QTest::newRow("woman day") << "Sday3" << "请选择女方出生日!" << "";
  QTest::newRow("woman hour") << "Shour3" << "请选择女方出生小时!" << "";
}

void ReportPagesTest::marriageValidation() {
  QFETCH(QString, control);
  QFETCH(QString, message);
  QFETCH(QString, focus);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QVERIFY(QTest::qWaitForWindowActive(&w));
  FillCouple(w);
  // Blanks only count as empty.
  if (auto* edit = w.findChild<QLineEdit*>(control))
    edit->setText(QStringLiteral("   "));
  else
    Find<QComboBox>(w, control.toLatin1().constData())->setCurrentText(QStringLiteral(" "));
  Find<QPushButton>(w, "RzButton2")->setFocus();

  QString memoWhileShown;
  auto* memo = Find<QPlainTextEdit>(w, "MemoSuccess");
  fake.onInfo = [&] { memoWhileShown = memo->toPlainText(); };
  Click(w, "RzBitBtn2");

  QCOMPARE(fake.infos, QStringList{message});
  QVERIFY(fake.errors.isEmpty());
  if (!focus.isEmpty()) QCOMPARE(QApplication::focusWidget()->objectName(), focus);
  else
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("RzButton2"));
  if (control.endsWith(QLatin1Char('3'))) {
    // The man's half is on the screen while the woman's message is shown.
    QCOMPARE(Lines(memoWhileShown).first(), QString::fromUtf8(kManFirstLine));
    QVERIFY(!memoWhileShown.contains(QStringLiteral("女方基本信息：")));
    // Once the box is closed the half report is gone: nothing to save or print.
    QVERIFY(memo->toPlainText().isEmpty());
  } else {
    QVERIFY(memo->toPlainText().isEmpty());
  }
}

void ReportPagesTest::manRowRefusalKeepsPreviousReport() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Click(w, "RzBitBtn2");
  const QString report = Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
  QVERIFY(!report.isEmpty());
  Find<QLineEdit>(w, "Xing")->clear();
  Click(w, "RzBitBtn2");
  QCOMPARE(fake.infos, QStringList{QStringLiteral("男方姓名不能为空!")});
  QCOMPARE(Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText(), report);
}

void ReportPagesTest::completeMarriageReport() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  FillCouple(w);
  Click(w, "RzBitBtn2");
  QVERIFY2(fake.infos.isEmpty() && fake.errors.isEmpty(), qPrintable((fake.infos + fake.errors).join('\n')));
  auto* memo = Find<QPlainTextEdit>(w, "MemoSuccess");
  const QStringList lines = Lines(memo->toPlainText());
  QCOMPARE(lines.first(), QString::fromUtf8(kManFirstLine));
  QVERIFY(lines.contains(QStringLiteral("女方基本信息：")));
  QVERIFY(lines.contains(QStringLiteral("姓名：张明 年龄：34岁  属相：马  星座：双子座")) ||
          memo->toPlainText().contains(QStringLiteral("姓名：张明 年龄：34岁")));
  // The woman was entered in the lunar calendar: 1992 lunar 3-8 is 1992-04-10.
  QVERIFY(memo->toPlainText().contains(QStringLiteral("您出生公历：1992年04月10日6点5分")));
  QString last = lines.last();
  for (int i = lines.size() - 1; last.trimmed().isEmpty() && i > 0; --i) last = lines[i - 1];
  QCOMPARE(last, QString::fromUtf8(kClosingLine));
  // Shown from its first line.
  QCOMPARE(memo->textCursor().position(), 0);
  QCOMPARE(memo->verticalScrollBar()->value(), 0);
  QVERIFY(memo->verticalScrollBar()->maximum() > 0);
}

void ReportPagesTest::conversionErrorLeavesNoHalfReport() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Find<QComboBox>(w, "ComDate3")->setCurrentIndex(0);
  Find<QComboBox>(w, "SMonth3")->setCurrentText("2");
  Find<QComboBox>(w, "Sday3")->setCurrentText("30");
  Click(w, "RzBitBtn2");
  QVERIFY(fake.infos.isEmpty());
  QCOMPARE(fake.errors.size(), 1);
  QVERIFY(fake.errors.first().contains(QStringLiteral("1992-2-30")));
  // The man's half was written before the error: it is not left to be saved
  // or printed (there was no complete report before).
  QCOMPARE(Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText(), QString());
}

void ReportPagesTest::personalReportReplacesMemo() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  Click(w, "RzToolButton1");
  Find<QLineEdit>(w, "Xing2")->setText(QStringLiteral("陈静"));
  Find<QComboBox>(w, "CBsex2")->setCurrentIndex(1);
  Find<QComboBox>(w, "SYear2")->setCurrentText("1988");
  Find<QComboBox>(w, "SMonth2")->setCurrentText("4");
  Find<QComboBox>(w, "Sday2")->setCurrentText("21");
  Find<QComboBox>(w, "Shour2")->setCurrentText(QStringLiteral("辰 8"));
  auto* memo = Find<QPlainTextEdit>(w, "Memo1");

  Click(w, "RzButton2");
  QVERIFY2(fake.infos.isEmpty() && fake.errors.isEmpty(), qPrintable((fake.infos + fake.errors).join('\n')));
  const QString bazi = memo->toPlainText();
  QVERIFY(bazi.startsWith(QStringLiteral("\n\n姓名：陈静\n年龄：36岁\n")));
  QCOMPARE(bazi.count(QStringLiteral("批八字内容分隔线")), 4);
  Click(w, "RzButton2");
  QCOMPARE(memo->toPlainText(), bazi);  // replaced, not appended

  Click(w, "RzToolButton3");
  QVERIFY(memo->toPlainText().isEmpty());
  Click(w, "RzButton2");
  const QString star = memo->toPlainText();
  QVERIFY(star.contains(QStringLiteral("星座：金牛座")));
  QCOMPARE(star.count(QStringLiteral("星座分析内容分隔线")), 4);
  QVERIFY(!star.contains(QStringLiteral("批八字内容分隔线")));
}

void ReportPagesTest::personalValidationKeepsMemo() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  auto* memo = Find<QPlainTextEdit>(w, "Memo1");
  memo->setPlainText(QStringLiteral("上一次的结果"));
  const struct {
    const char* control;
    const char* message;
  } cases[] = {{"SYear2", "请选择出生年!"}, {"SMonth2", "请选择出生月!"}, {"Sday2", "请选择出生日!"},
               {"Shour2", "请选择出生小时!"}};
  for (const auto& c : cases) {
    fake.infos.clear();
    Find<QComboBox>(w, c.control)->setCurrentText(QString());
    Click(w, "RzButton2");
    QCOMPARE(fake.infos, QStringList{QString::fromUtf8(c.message)});
    QCOMPARE(memo->toPlainText(), QStringLiteral("上一次的结果"));
    Find<QComboBox>(w, c.control)->setCurrentIndex(1);
  }
  // A date that does not exist: the error box, and the old text stays.
  Find<QComboBox>(w, "SMonth2")->setCurrentText("2");
  Find<QComboBox>(w, "Sday2")->setCurrentText("30");
  Click(w, "RzButton2");
  QCOMPARE(fake.errors.size(), 1);
  QCOMPARE(memo->toPlainText(), QStringLiteral("上一次的结果"));
}

void ReportPagesTest::saveWritesUtf8Text() {
  QTemporaryDir dir;
  FakeServices fake;
  MainWindow w(&fake, kToday);
  const struct {
    const char* memo;
    const char* button;
  } pages[] = {{"MemoSuccess", "RzBitBtn24"}, {"Memo1", "RzBitBtn8"}, {"Memo2", "RzBitBtn33"}};
  for (const auto& p : pages) {
    const QString text = QStringLiteral("%1\n姓名：张明  年龄：34岁\n\n  日柱：丙午").arg(QLatin1String(p.memo));
    Find<QPlainTextEdit>(w, p.memo)->setPlainText(text);
    fake.saveTo = dir.filePath(QLatin1String(p.memo) + QStringLiteral(".txt"));
    fake.saveDialog = nullptr;
    Click(w, p.button);
    QCOMPARE(fake.saveDialog, Find<QFileDialog>(w, "SaveDialog1"));
    QFile file(fake.saveTo);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), text + QLatin1Char('\n'));
  }
  QVERIFY(fake.errors.isEmpty());
}

void ReportPagesTest::saveCancelledWritesNothing() {
  QTemporaryDir dir;
  FakeServices fake;
  MainWindow w(&fake, kToday);
  Find<QPlainTextEdit>(w, "MemoSuccess")->setPlainText(QStringLiteral("报告"));
  fake.saveTo.clear();
  Click(w, "RzBitBtn24");
  QVERIFY(fake.saveDialog != nullptr);
  QVERIFY(QDir(dir.path()).isEmpty());
  QVERIFY(fake.errors.isEmpty() && fake.infos.isEmpty());
}

void ReportPagesTest::printToPdf() {
  QTemporaryDir dir;
  FakeServices fake;
  MainWindow w(&fake, kToday);
  const struct {
    const char* memo;
    const char* button;
  } pages[] = {{"MemoSuccess", "RzBitBtn4"}, {"Memo1", "RzBitBtn7"}, {"Memo2", "RzBitBtn30"}};
  for (const auto& p : pages) {
    Find<QPlainTextEdit>(w, p.memo)->setPlainText(QStringLiteral("男方基本信息：\n\n姓名：张明"));
    fake.pdfPath = dir.filePath(QLatin1String(p.memo) + QStringLiteral(".pdf"));
    Click(w, p.button);
    QFile pdf(fake.pdfPath);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.read(5) == "%PDF-");
    QVERIFY(pdf.size() > 1000);
  }
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  ReportPagesTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "report_pages_test.moc"
