// The 命盘 tabs of the pages 合婚 and 八字及星座: the chart shown after 测算,
// the luck strip showing the years of a chosen luck pillar, the report text
// kept across the tab switch, the six verdict badges, and the chart exported
// as a picture and printed before the text. With CHART_SHOTS_DIR set, the
// pages are also saved there as screenshots.
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "app/chart/chart_panel.h"
#include "app/chart/luck_strip.h"
#include "app/main_window.h"
#include "main_window_fixture.h"

using hehun::ui::MainWindow;

class ChartPanelTest : public QObject {
  Q_OBJECT
 private slots:
  void personalChartAndLuckStrip();
  void marriageChartsBadgesAndTabs();
  void exportWritesPngAndPdf();
  void printPutsTheChartFirst();
};

namespace {

void FillPerson(QWidget& w) {
  Find<QLineEdit>(w, "Xing2")->setText(QStringLiteral("王小明"));
  Find<QComboBox>(w, "SYear2")->setCurrentText("1990");
  Find<QComboBox>(w, "SMonth2")->setCurrentText("6");
  Find<QComboBox>(w, "Sday2")->setCurrentText("15");
  Find<QComboBox>(w, "Shour2")->setCurrentText(QStringLiteral("子 23"));
  Find<QComboBox>(w, "CBFen2")->setCurrentText("30");
}

void Shot(QWidget& w, const QString& name) {
  const QString dir = qEnvironmentVariable("CHART_SHOTS_DIR");
  if (dir.isEmpty()) return;
  w.grab().save(dir + QLatin1Char('/') + name + QStringLiteral("_x") + QString::number(w.devicePixelRatioF()) +
                QStringLiteral(".png"));
}

}  // namespace

void ChartPanelTest::personalChartAndLuckStrip() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  Click(w, "RzToolButton1");  // 八字分析
  FillPerson(w);
  Click(w, "RzButton2");
  auto* tabs = Find<QTabWidget>(w, "ResultTabs2");
  auto* panel = Find<hehun::ui::ChartPanel>(w, "chartPanel");
  QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(panel));
  QVERIFY(panel->Chart().has_value());
  const hehun::ChartView& v = *panel->Chart();
  QCOMPARE(QString::fromStdString(v.pillars[0].stem + v.pillars[0].branch), QStringLiteral("庚午"));
  // 2024-03-05: the running luck pillar is chosen at first, its 2024 marked.
  QVERIFY(v.current_luck >= 0);
  QCOMPARE(panel->Strip()->ChosenLuckPillar(), v.current_luck);
  Shot(w, QStringLiteral("personal_chart"));

  // Choosing the fourth luck pillar shows its ten years.
  Find<QToolButton>(w, "luckPillar3")->click();
  QCOMPARE(panel->Strip()->ChosenLuckPillar(), 3);
  QVERIFY(Find<QToolButton>(w, "luckPillar3")->isChecked());
  QVERIFY(!Find<QToolButton>(w, "luckPillar0")->isChecked());
  const hehun::ChartLuckView& l = v.luck[3];
  for (int i = 0; i < 10; ++i) {
    const QString text = Find<QLabel>(w, QStringLiteral("luckYear%1").arg(i).toLatin1().constData())->text();
    QVERIFY2(text.contains(QString::number(l.start_year + i)), qPrintable(text));
    QVERIFY2(text.contains(QString::fromStdString(l.years[i].ten_god)), qPrintable(text));
  }

  // The report text is the same on both tabs, switched back and forth.
  auto* memo = Find<QPlainTextEdit>(w, "Memo1");
  const QString report = memo->toPlainText();
  QVERIFY(report.contains(QStringLiteral("八字：庚午")));
  tabs->setCurrentWidget(memo);
  QCOMPARE(memo->toPlainText(), report);
  tabs->setCurrentWidget(panel);
  tabs->setCurrentWidget(memo);
  QCOMPARE(memo->toPlainText(), report);

  // A hover tip explains the day stem's stage.
  auto* grid = Find<hehun::ui::ChartGrid>(w, "chartGrid");
  tabs->setCurrentWidget(panel);
  grid->grab();  // paints, laying out the tips
  bool found = false;
  for (int y = 0; y < grid->height() && !found; y += 2)
    for (int x = 0; x < grid->width() && !found; x += 4)
      found = grid->TipAt(QPointF(x, y)).startsWith(QString::fromStdString(v.pillars[0].stage) + QStringLiteral("："));
  QVERIFY(found);
}

void ChartPanelTest::marriageChartsBadgesAndTabs() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  FillCouple(w);
  Click(w, "RzBitBtn2");
  auto* tabs = Find<QTabWidget>(w, "ResultTabs1");
  auto* couple = Find<hehun::ui::CoupleChartPanel>(w, "coupleChartPanel");
  QCOMPARE(tabs->currentWidget(), static_cast<QWidget*>(couple));
  QVERIFY(couple->Man()->Chart().has_value());
  QVERIFY(couple->Woman()->Chart().has_value());
  const char* labels[6] = {"生肖", "命宫", "五行", "纳音", "神煞", "合婚"};
  for (int i = 0; i < 6; ++i) {
    auto* badge = Find<QLabel>(w, QStringLiteral("verdictBadge%1").arg(i).toLatin1().constData());
    QVERIFY(badge->isVisible());
    QVERIFY2(badge->text().contains(QString::fromUtf8(labels[i])), qPrintable(badge->text()));
  }
  Shot(w, QStringLiteral("marriage_chart"));
  auto* memo = Find<QPlainTextEdit>(w, "MemoSuccess");
  const QString report = memo->toPlainText();
  QVERIFY(report.endsWith(QString::fromUtf8(kClosingLine)));
  tabs->setCurrentWidget(memo);
  QCOMPARE(memo->toPlainText(), report);
  // Each chart's luck strip works on its own.
  Find<QToolButton>(w, "woman_luckPillar2")->click();
  QCOMPARE(couple->Woman()->Strip()->ChosenLuckPillar(), 2);
  QCOMPARE(couple->Man()->Strip()->ChosenLuckPillar(), couple->Man()->Chart()->current_luck);
}

void ChartPanelTest::exportWritesPngAndPdf() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  Click(w, "RzToolButton1");  // 八字分析
  FillPerson(w);
  Click(w, "RzButton2");
  QTemporaryDir dir;
  fake.saveTo = dir.filePath(QStringLiteral("命盘.png"));
  Click(w, "RzBitBtn8");
  QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join('\n')));
  const QImage image(fake.saveTo);
  QVERIFY(!image.isNull());
  QVERIFY(image.width() > 1000);
  QVERIFY(fake.saveDialog->nameFilters().join(' ').contains(QStringLiteral("导出图片")));
  fake.saveTo = dir.filePath(QStringLiteral("命盘.pdf"));
  Click(w, "RzBitBtn8");
  QFile pdf(fake.saveTo);
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  QVERIFY(pdf.read(5) == "%PDF-");
  // Text is still saved as text.
  fake.saveTo = dir.filePath(QStringLiteral("report.txt"));
  Click(w, "RzBitBtn8");
  QFile text(fake.saveTo);
  QVERIFY(text.open(QIODevice::ReadOnly));
  QVERIFY(QString::fromUtf8(text.readAll()).contains(QStringLiteral("八字：庚午")));
}

void ChartPanelTest::printPutsTheChartFirst() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Click(w, "RzBitBtn2");
  QTemporaryDir dir;
  const QString keep = qEnvironmentVariable("CHART_SHOTS_DIR");
  fake.pdfPath = keep.isEmpty() ? dir.filePath(QStringLiteral("print.pdf")) : keep + QStringLiteral("/printed.pdf");
  Click(w, "RzBitBtn4");
  QVERIFY(fake.errors.isEmpty());
  QFile pdf(fake.pdfPath);
  QVERIFY(pdf.open(QIODevice::ReadOnly));
  const QByteArray bytes = pdf.readAll();
  QVERIFY(bytes.startsWith("%PDF-"));
  QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") + bytes.count("/Type /Page>") >= 2 ||
          bytes.count("/Type /Page") >= 3);
}

QTEST_MAIN(ChartPanelTest)
#include "chart_panel_test.moc"
