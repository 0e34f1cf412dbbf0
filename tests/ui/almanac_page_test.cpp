// The pages 本日黄历 and 结婚吉日 on Qt's offscreen platform: the day view
// with its messages, the glossary, printing, and the wedding-day search.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QProcess>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/ui_services.h"

using hehun::ui::MainWindow;

namespace {

const QDate kToday(2024, 5, 1);

class FakeServices : public hehun::ui::UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override { infos << text; }
  void Notice(QWidget*, const QString& text) override { notices << text; }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  QString ChooseSaveFile(QFileDialog*) override { return saveTo; }
  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    if (pdfPath.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
  }
  void OpenUrl(const QUrl&) override {}

  QStringList infos, notices, errors;
  QString saveTo, pdfPath;
};

template <class W>
W* Find(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

void Click(QWidget& window, const char* name) { Find<QAbstractButton>(window, name)->click(); }

void Choose(QWidget& w, const QString& year, const QString& month, const QString& day) {
  Find<QComboBox>(w, "SlYear")->setCurrentText(year);
  Find<QComboBox>(w, "SlMonth")->setCurrentText(month);
  Find<QComboBox>(w, "Slday")->setCurrentText(day);
}

void FillCouple(QWidget& w) {
  Find<QLineEdit>(w, "xing11")->setText(QStringLiteral("张明"));
  Find<QComboBox>(w, "Year1")->setCurrentText(QStringLiteral("1990"));
  Find<QComboBox>(w, "Month1")->setCurrentText(QStringLiteral("5"));
  Find<QComboBox>(w, "Day1")->setCurrentText(QStringLiteral("1"));
  Find<QLineEdit>(w, "xing22")->setText(QStringLiteral("李芳"));
  Find<QComboBox>(w, "Year2")->setCurrentText(QStringLiteral("1992"));
  Find<QComboBox>(w, "Month2")->setCurrentText(QStringLiteral("10"));
  Find<QComboBox>(w, "Day2")->setCurrentText(QStringLiteral("12"));
}

}  // namespace

class AlmanacPageTest : public QObject {
  Q_OBJECT

 private slots:
  void controls();
  void pageButtonShowsTodayAtOnce();
  void viewOfATypedDay();
  void refusedChoicesKeepTheResult_data();
  void refusedChoicesKeepTheResult();
  void printsTheResult();
  void weddingSearchListsDays();
  void weddingSearchRefusesAnEmptyName();
  void weddingSearchSaves();
};

void AlmanacPageTest::controls() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  QCOMPARE(Find<QPushButton>(w, "BtnHuangli")->text(), QStringLiteral("查看"));
  QCOMPARE(Find<QPushButton>(w, "RzBitBtn3")->text(), QStringLiteral("打印"));
  QVERIFY(Find<QPlainTextEdit>(w, "MemoHuangli")->isReadOnly());
  QVERIFY(!Find<QLabel>(w, "Label61")->isVisibleTo(&w));
  auto* glossary = Find<QPlainTextEdit>(w, "Memo3");
  QVERIFY(glossary->isReadOnly());
  const QStringList lines = glossary->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 34);
  QCOMPARE(lines.first(), QStringLiteral("嫁娶 ：男娶女嫁，举行结婚大典的吉日 "));
  QCOMPARE(Find<QPushButton>(w, "RzBitBtn32")->text(), QStringLiteral("分析"));
  for (const char* name : {"Shour1", "CBFen1", "RzComboBox1", "RzComboBox2", "SYear22", "CBrype", "CByi"})
    QVERIFY(Find<QComboBox>(w, name) != nullptr);
}

void AlmanacPageTest::pageButtonShowsTodayAtOnce() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.findChild<QToolButton*>(QStringLiteral("RzToolButton5"))->click();
  QCOMPARE(Find<QTabWidget>(w, "RzPageControl1")->currentWidget()->objectName(), QStringLiteral("TabSheet3"));
  const QStringList lines = Find<QPlainTextEdit>(w, "MemoHuangli")->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 19);
  QCOMPARE(lines[0], QStringLiteral("当日统览:2024-05-01  农历三月廿三 星期三 玄武黑道日"));
  QCOMPARE(Find<QLabel>(w, "Label61")->text(), QStringLiteral("2024-05-01  农历三月廿三 星期三 玄武黑道日"));
  QVERIFY(lines[18].startsWith(QStringLiteral("忌:")));
  QVERIFY(fake.infos.isEmpty() && fake.errors.isEmpty());
}

void AlmanacPageTest::viewOfATypedDay() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  Choose(w, QStringLiteral("2008"), QStringLiteral("8"), QStringLiteral("08"));
  Click(w, "BtnHuangli");
  const QStringList lines = Find<QPlainTextEdit>(w, "MemoHuangli")->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 19);
  QVERIFY(lines[0].startsWith(QStringLiteral("当日统览:2008-8-08  农历七月初八 星期五 ")));
  QCOMPARE(lines[2], QStringLiteral("岁次:戊子(鼠)年 庚申月 庚辰日"));
  QCOMPARE(lines[8], QStringLiteral("冲:冲狗(甲戌) 煞南"));
}

void AlmanacPageTest::refusedChoicesKeepTheResult_data() {
  QTest::addColumn<QString>("year");
  QTest::addColumn<QString>("month");
  QTest::addColumn<QString>("day");
  QTest::addColumn<QString>("message");
  QTest::newRow("no year") << "" << "05" << "01" << "请选择年!";
  QTest::newRow("no month") << "2024" << " " << "01" << "请选择月!";
  QTest::newRow("no day") << "2024" << "05" << "" << "请选择日!";
  QTest::newRow("29 February") << "2023" << "02" << "29" << "请选择有效的日期!";
  QTest::newRow("letters") << "2024" << "ab" << "01" << "请选择有效的日期!";
  QTest::newRow("year before the table") << "1800" << "06" << "01" << "黄历数据收录1901年至2100年";
  QTest::newRow("year after the table") << "2150" << "06" << "01" << "黄历数据收录1901年至2100年";
}

void AlmanacPageTest::refusedChoicesKeepTheResult() {
  QFETCH(QString, year);
  QFETCH(QString, month);
  QFETCH(QString, day);
  QFETCH(QString, message);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  Click(w, "BtnHuangli");
  const QString before = Find<QPlainTextEdit>(w, "MemoHuangli")->toPlainText();
  const QString headline = Find<QLabel>(w, "Label61")->text();
  QVERIFY(!before.isEmpty());
  Choose(w, year, month, day);
  Click(w, "BtnHuangli");
  QCOMPARE(fake.infos, message.isEmpty() ? QStringList() : QStringList{message});
  QCOMPARE(Find<QPlainTextEdit>(w, "MemoHuangli")->toPlainText(), before);
  QCOMPARE(Find<QLabel>(w, "Label61")->text(), headline);
}

void AlmanacPageTest::printsTheResult() {
  QTemporaryDir dir;
  FakeServices fake;
  MainWindow w(&fake, kToday);
  Click(w, "RzBitBtn3");
  QCOMPARE(fake.infos.size(), 1);  // nothing shown yet
  Click(w, "BtnHuangli");
  const QString keep = qEnvironmentVariable("HEHUN_SCREENSHOT_DIR");
  fake.pdfPath = QDir(keep.isEmpty() ? dir.path() : keep).filePath(QStringLiteral("almanac.pdf"));
  Click(w, "RzBitBtn3");
  QFile pdf(fake.pdfPath);
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  QVERIFY(pdf.read(5) == "%PDF-");
  pdf.close();

  // The print-out is the page's text at a reading size, with the running
  // head: the almanac's lines come back from the PDF as text.
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fake.pdfPath, QStringLiteral("-")});
  QVERIFY(text.waitForFinished(30000));
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  // (pdftotext gives some characters as their radical look-alikes, e.g. 八.)
  QVERIFY2(printed.contains(QStringLiteral("合婚配软件")), qPrintable(printed.left(300)));
  // The first line of the day view, date and weekday, is on the page.
  const QString normalized = printed.normalized(QString::NormalizationForm_KC);
  QVERIFY2(normalized.contains(QStringLiteral("2024-05-01")) && normalized.contains(QStringLiteral("星期三")),
           qPrintable(printed.left(600)));
}

void AlmanacPageTest::weddingSearchListsDays() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Find<QComboBox>(w, "SYear22")->setCurrentText(QStringLiteral("一年以内"));
  Click(w, "RzBitBtn32");
  QVERIFY(fake.infos.isEmpty() && fake.errors.isEmpty());
  const QStringList lines = Find<QPlainTextEdit>(w, "Memo2")->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines[0], QStringLiteral("结婚吉日分析（宜嫁娶）"));
  QCOMPARE(lines[1], QStringLiteral("查询范围：2024-05-01 至 2025-04-30（一年以内）"));
  QCOMPARE(lines[2], QStringLiteral("男方：张明，生肖属马；女方：李芳，生肖属猴。"));
  QVERIFY(lines.last().startsWith(QStringLiteral("共找到")));
  int days = 0;
  for (int i = 0; i + 1 < lines.size(); ++i) {
    if (!lines[i].startsWith(QStringLiteral("20"))) continue;
    ++days;
    QVERIFY2(!lines[i].contains(QStringLiteral("冲马")) && !lines[i].contains(QStringLiteral("冲猴")),
             qPrintable(lines[i]));
    QVERIFY(lines[i + 1].startsWith(QStringLiteral("宜：")) && lines[i + 1].contains(QStringLiteral("嫁娶")));
  }
  QVERIFY(days > 10);

  Find<QComboBox>(w, "CBrype")->setCurrentText(QStringLiteral("订婚"));
  Find<QComboBox>(w, "CByi")->setCurrentText(QStringLiteral("忌"));
  Click(w, "RzBitBtn32");
  QVERIFY(Find<QPlainTextEdit>(w, "Memo2")->toPlainText().startsWith(QStringLiteral("订婚吉日分析（忌订盟、纳采）")));
}

void AlmanacPageTest::weddingSearchRefusesAnEmptyName() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  FillCouple(w);
  Find<QPlainTextEdit>(w, "Memo2")->setPlainText(QStringLiteral("上一次的结果"));
  Find<QLineEdit>(w, "xing11")->setText(QStringLiteral("  "));
  w.findChild<QToolButton*>(QStringLiteral("RzToolButton4"))->click();
  Click(w, "RzBitBtn32");
  QCOMPARE(fake.infos, QStringList{QStringLiteral("男方姓名不能为空!")});
  QCOMPARE(Find<QPlainTextEdit>(w, "Memo2")->toPlainText(), QStringLiteral("上一次的结果"));
}

void AlmanacPageTest::weddingSearchSaves() {
  QTemporaryDir dir;
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Click(w, "RzBitBtn32");
  fake.saveTo = dir.filePath(QStringLiteral("days.txt"));
  Click(w, "RzBitBtn33");
  QFile file(fake.saveTo);
  QVERIFY(file.open(QIODevice::ReadOnly));
  QVERIFY(QString::fromUtf8(file.readAll()).startsWith(QStringLiteral("结婚吉日分析（宜嫁娶）\n")));
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  AlmanacPageTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "almanac_page_test.moc"
