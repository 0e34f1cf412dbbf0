// The main window on Qt's offscreen platform: layout and names, navigation,
// the input panels, links and closing (the two reports, saving and printing
// are in report_pages_test.cpp).
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/tool_dialogs.h"
#include "app/ui_services.h"
#include "refdb/refdb.h"

using hehun::ui::MainWindow;

#include "main_window_fixture.h"

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void windowLayout();
  void controlGeometry_data();
  void controlGeometry();
  void pagesInOrder();
  void startsOnMarriagePage();
  void datesFromToday();
  void inputLists();
  void nameBoxesTakeTwentyGbkBytes_data();
  void nameBoxesTakeTwentyGbkBytes();
  void pageButtons_data();
  void pageButtons();
  void personalModeSwitching();
  void links_data();
  void links();
  void namingDialogIsFreshEachTime();
  void closingSequenceRemovesLockFiles();
  void closingOtherwiseKeepsLockFiles();
};

void MainWindowTest::windowLayout() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  QCOMPARE(w.objectName(), QStringLiteral("TFrmIndex"));
  QCOMPARE(w.size(), QSize(800, 590));
  QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
  QCOMPARE(w.windowTitle(), QStringLiteral("瑞祺八字合婚配软件"));
  auto* dialog = Find<QFileDialog>(w, "SaveDialog1");
  QCOMPARE(dialog->nameFilters(), (QStringList{QStringLiteral("文本文件 (*.txt)"), QStringLiteral("导出图片 PNG (*.png)"),
                                                QStringLiteral("导出图片 PDF (*.pdf)")}));
  QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
}

void MainWindowTest::controlGeometry_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");
  QTest::addColumn<QString>("hint");
  QTest::newRow("drag strip") << "Image4" << QRect(2, 1, 663, 18) << QString();
  const struct {
    const char* name;
    int x;
    const char* hint;
  } top[] = {{"RzToolButton2", 8, "八字合婚"},
             {"RzToolButton1", 90, "生辰八字详细分析"},
             {"RzToolButton3", 172, "星座分析"},
             {"RzToolButton4", 254, "结婚和订婚吉日"},
             {"RzToolButton5", 336, "黄道吉日"},
             {"RzToolButton7", 418, "合婚知识及方法参考"},
             {"RzToolButton8", 500, "缘分测试、民俗预测及吉祥数字等功能"}};
  for (const auto& t : top)
    QTest::newRow(t.name) << t.name << QRect(t.x, 23, 75, 77) << QString::fromUtf8(t.hint);
  const struct {
    const char* name;
    const char* hint;
  } title[] = {{"RzToolButton9", "官方网站"}, {"RzToolButton10", "关于我们"}, {"RzToolButton11", "最小化"},
               {"RzToolButton12", "关闭"}};
  for (const auto& t : title) QTest::newRow(t.name) << t.name << QRect() << QString::fromUtf8(t.hint);
  QTest::newRow("panel") << "RzPanel1" << QRect(5, 106, 790, 456) << QString();

  const int rows[] = {25, 104, 182, 260};
  const struct {
    const char* name;
    int row, x;
  } tools[] = {{"RzToolButton19", 0, 96},  {"RzToolButton20", 0, 181}, {"RzToolButton21", 0, 266},
               {"RzToolButton22", 0, 352}, {"RzToolButton23", 0, 437}, {"RzToolButton15", 0, 522},
               {"RzToolButton25", 1, 96},  {"RzToolButton26", 1, 181}, {"RzToolButton27", 1, 266},
               {"RzToolButton28", 1, 352}, {"RzToolButton29", 1, 437}, {"RzToolButton30", 1, 522},
               {"RzToolButton24", 1, 602}, {"RzToolButton31", 2, 96},  {"RzToolButton32", 2, 181},
               {"RzToolButton33", 2, 266}, {"RzToolButton34", 2, 352}, {"RzToolButton35", 2, 437},
               {"RzToolButton36", 2, 522}, {"RzToolButton13", 2, 602}, {"RzToolButton37", 3, 96},
               {"RzToolButton38", 3, 181}, {"RzToolButton39", 3, 266}, {"RzToolButton40", 3, 352}};
  for (const auto& t : tools) QTest::newRow(t.name) << t.name << QRect(t.x, rows[t.row], 71, 71) << QString();
}

void MainWindowTest::controlGeometry() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QFETCH(QString, hint);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  QWidget* control = w.findChild<QWidget*>(name);
  QVERIFY(control != nullptr);
  if (geometry.isValid()) QCOMPARE(control->geometry(), geometry);
  if (!hint.isEmpty()) QCOMPARE(control->toolTip(), hint);
  if (name.startsWith(QStringLiteral("RzToolButton")) && !geometry.isValid()) {
    // Title-bar buttons: in the top-right corner, right of the drag strip.
    QVERIFY(control->geometry().left() >= 665);
    QVERIFY(control->geometry().bottom() < 21);
  }
}

void MainWindowTest::pagesInOrder() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  auto* pages = Find<QTabWidget>(w, "RzPageControl1");
  QVERIFY(pages->tabBar()->isHidden());
  const QStringList names{"TabSheet1", "TabSheet2", "TabSheet3", "TabSheet10", "TabSheet9", "TabSheet8", "TabSheet4"};
  const QStringList captions{"合婚", "八字及星座", "本日黄历", "百科", "功能大全", "关于我们", "结婚吉日"};
  QCOMPARE(pages->count(), names.size());
  for (int i = 0; i < pages->count(); ++i) {
    QCOMPARE(pages->widget(i)->objectName(), names[i]);
    QCOMPARE(pages->tabText(i), captions[i]);
  }
  // Each control lies on its page (the result areas of 合婚 and 八字及星座
  // within the page's tabs 命盘 / 报告全文).
  const std::pair<const char*, const char*> owners[] = {
      {"MemoSuccess", "TabSheet1"}, {"RzBitBtn2", "TabSheet1"},  {"ComboBoxXX", "TabSheet1"},
      {"Memo1", "TabSheet2"},       {"RzButton2", "TabSheet2"},  {"NameB2", "TabSheet2"},
      {"SlYear", "TabSheet3"},      {"RzToolButton37", "TabSheet9"}, {"Memo2", "TabSheet4"},
      {"RzBitBtn32", "TabSheet4"},  {"SYear22", "TabSheet4"}};
  for (const auto& [control, page] : owners)
    QVERIFY2(Find<QWidget>(w, page)->isAncestorOf(Find<QWidget>(w, control)), control);
  QVERIFY(Find<QWidget>(w, "NameB2")->isHidden());
}

void MainWindowTest::startsOnMarriagePage() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QCOMPARE(Find<QTabWidget>(w, "RzPageControl1")->currentWidget()->objectName(), QStringLiteral("TabSheet1"));
  QVERIFY(Find<QWidget>(w, "MemoSuccess")->isVisible());
}

void MainWindowTest::datesFromToday() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  const std::pair<const char*, const char*> expected[] = {
      {"SlYear", "2024"}, {"SlMonth", "03"}, {"Slday", "05"}, {"Year1", "2024"}, {"Month1", "03"},
      {"Day1", "05"},     {"Year2", "2024"}, {"Month2", "03"}, {"Day2", "05"}};
  for (const auto& [name, text] : expected) QCOMPARE(Find<QComboBox>(w, name)->currentText(), QString(text));
  auto* slYear = Find<QComboBox>(w, "SlYear");
  QVERIFY(slYear->isEditable());
  QCOMPARE(slYear->count(), 200);  // the years the almanac holds, 1901 to 2100
  QCOMPARE(slYear->itemText(0), QStringLiteral("1901"));
  QCOMPARE(slYear->itemText(199), QStringLiteral("2100"));
  QCOMPARE(Find<QComboBox>(w, "SlMonth")->itemText(0), QStringLiteral("01"));
  QCOMPARE(Find<QComboBox>(w, "Slday")->count(), 31);
}

void MainWindowTest::inputLists() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  const QStringList hours{"子 0",  "丑 1",  "丑 2",  "寅 3",  "寅 4",  "卯 5",  "卯 6",  "辰 7",
                          "辰 8",  "巳 9",  "巳 10", "午 11", "午 12", "未 13", "未 14", "申 15",
                          "申 16", "酉 17", "酉 18", "戌 19", "戌 20", "亥 21", "亥 22", "子 23"};
  const auto items = [](QComboBox* c) {
    QStringList list;
    for (int i = 0; i < c->count(); ++i) list << c->itemText(i);
    return list;
  };
  for (const char* name : {"Shour", "Shour3", "Shour2", "Shour1", "RzComboBox1"}) {
    QCOMPARE(items(Find<QComboBox>(w, name)), hours);
    QCOMPARE(Find<QComboBox>(w, name)->currentText(), QStringLiteral("子 0"));
  }
  for (const char* name : {"SYear", "SYear3", "SYear2"}) {
    auto* year = Find<QComboBox>(w, name);
    QVERIFY(year->isEditable());
    QCOMPARE(year->count(), 131);
    QCOMPARE(year->itemText(0), QStringLiteral("1900"));
    QCOMPARE(year->itemText(130), QStringLiteral("2030"));
    QCOMPARE(year->currentIndex(), 90);
    QCOMPARE(year->currentText(), QStringLiteral("1990"));
  }
  const struct {
    const char* name;
    int count;
    const char* current;
    bool editable;
  } lists[] = {{"SMonth", 12, "1", true},       {"Sday3", 31, "1", true},          {"CBFen", 60, "0", true},
               {"CBFen2", 60, "0", true},       {"ComDate", 2, "公历(阳历)", false}, {"ComDate3", 2, "公历(阳历)", false},
               {"CBdate22", 2, "公历(阳历)", false}, {"ComDate2", 2, "公历", false},   {"CBsex2", 2, "男", false},
               {"SYear22", 6, "三月以内", false}, {"CBrype", 2, "结婚", false},       {"CByi", 2, "宜", false}};
  for (const auto& l : lists) {
    auto* combo = Find<QComboBox>(w, l.name);
    QCOMPARE(combo->count(), l.count);
    QCOMPARE(combo->currentText(), QString::fromUtf8(l.current));
    QCOMPARE(combo->isEditable(), l.editable);
  }
  QCOMPARE(items(Find<QComboBox>(w, "ComDate")), (QStringList{"公历(阳历)", "农历(阴历)"}));
  QCOMPARE(items(Find<QComboBox>(w, "SYear22")),
           (QStringList{"3天以内", "一周以内", "一月以内", "三月以内", "半年以内", "一年以内"}));
  for (const char* name : {"ComboBoxDL", "ComboBoxXX"}) {
    auto* blood = Find<QComboBox>(w, name);
    QCOMPARE(items(blood), (QStringList{"", "A型", "B型", "O型", "AB型"}));
    QCOMPARE(blood->currentIndex(), -1);
  }
  QCOMPARE(Find<QPushButton>(w, "RzButton2")->text(), QStringLiteral("八字分析"));
}

void MainWindowTest::nameBoxesTakeTwentyGbkBytes_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("kept");
  QTest::newRow("twelve characters") << "欧阳一二三四五六七八九十" << "欧阳一二三四五六七八";
  QTest::newRow("latin letters") << "abcdefghijklmnopqrstuvwxyz" << "abcdefghijklmnopqrst";
  QTest::newRow("mixed, never split") << "abc司马相如字长卿蜀郡人" << "abc司马相如字长卿蜀";
  QTest::newRow("short name") << "王小明" << "王小明";
}

void MainWindowTest::nameBoxesTakeTwentyGbkBytes() {
  QFETCH(QString, typed);
  QFETCH(QString, kept);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  for (const char* name : {"Xing", "Xing3", "Xing2", "NameB2", "xing11", "xing22"}) {
    auto* edit = Find<QLineEdit>(w, name);
    edit->setText(typed);
    QCOMPARE(edit->text(), kept);
  }
  // Typed key by key (Chinese characters arrive as key events with text).
  auto* xing = Find<QLineEdit>(w, "Xing");
  xing->clear();
  for (const QChar ch : typed) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(xing, &press);
  }
  QCOMPARE(xing->text(), kept);
}

void MainWindowTest::pageButtons_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("page");
  QTest::newRow("合婚") << "RzToolButton2" << "TabSheet1";
  QTest::newRow("八字分析") << "RzToolButton1" << "TabSheet2";
  QTest::newRow("星座分析") << "RzToolButton3" << "TabSheet2";
  QTest::newRow("结婚吉日") << "RzToolButton4" << "TabSheet4";
  QTest::newRow("黄道吉日") << "RzToolButton5" << "TabSheet3";
  QTest::newRow("百科") << "RzToolButton7" << "TabSheet10";
  QTest::newRow("功能大全") << "RzToolButton8" << "TabSheet9";
  QTest::newRow("关于我们") << "RzToolButton10" << "TabSheet8";
}

void MainWindowTest::pageButtons() {
  QFETCH(QString, button);
  QFETCH(QString, page);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  auto* pages = Find<QTabWidget>(w, "RzPageControl1");
  pages->setCurrentIndex(5);
  QTest::mouseClick(w.findChild<QToolButton*>(button), Qt::LeftButton);
  QCOMPARE(pages->currentWidget()->objectName(), page);
  QVERIFY(fake.infos.isEmpty() && fake.urls.isEmpty());
}

void MainWindowTest::personalModeSwitching() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  auto* button = Find<QPushButton>(w, "RzButton2");
  auto* memo = Find<QPlainTextEdit>(w, "Memo1");
  const struct {
    const char* tool;
    const char* caption;
  } steps[] = {{"RzToolButton3", "星座分析"}, {"RzToolButton1", "八字分析"}, {"RzToolButton3", "星座分析"},
               {"RzToolButton3", "星座分析"}, {"RzToolButton1", "八字分析"}};
  for (const auto& s : steps) {
    memo->setPlainText(QStringLiteral("上一次的结果"));
    Click(w, s.tool);
    QCOMPARE(button->text(), QString::fromUtf8(s.caption));
    QVERIFY(memo->toPlainText().isEmpty());
    QCOMPARE(Find<QTabWidget>(w, "RzPageControl1")->currentWidget()->objectName(), QStringLiteral("TabSheet2"));
  }
}

void MainWindowTest::links_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QUrl>("url");
  // A contacts.ini with all three addresses (the shipped one sets none: see
  // window_details_test).
  QTest::newRow("title bar web site") << "RzToolButton9" << QUrl("https://www.example.org");
  QTest::newRow("chat") << "RzToolButton38" << QUrl("tencent://message/?uin=12345678");
  QTest::newRow("mail") << "RzToolButton39" << QUrl("mailto:support@example.org");
  QTest::newRow("web site") << "RzToolButton40" << QUrl("https://www.example.org");
}

void MainWindowTest::links() {
  QFETCH(QString, button);
  QFETCH(QUrl, url);
  QTemporaryDir dir;
  QFile file(dir.filePath(QStringLiteral("contacts.ini")));
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("[contacts]\nqq=12345678\nmail=support@example.org\nweb=https://www.example.org\n");
  file.close();
  hehun::SetDataDirOverride(dir.path().toStdString());
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.findChild<QToolButton*>(button)->click();
  hehun::SetDataDirOverride({});
  QVERIFY2(fake.infos.isEmpty(), qPrintable(fake.infos.join(QLatin1Char('\n'))));
  QCOMPARE(fake.urls, QList<QUrl>{url});
}

void MainWindowTest::namingDialogIsFreshEachTime() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QList<QPointer<QDialog>> opened;
  for (int i = 0; i < 2; ++i) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      opened << dialog;
      if (dialog) dialog->accept();
    });
    Click(w, "RzToolButton37");
  }
  QCOMPARE(opened.size(), 2);
  QVERIFY(opened[0].isNull());  // replaced by the second opening
  QVERIFY(!opened[1].isNull());
  QCOMPARE(opened[1]->objectName(), QStringLiteral("TFrmQiming"));
  QVERIFY(!opened[1]->isVisible());
}

namespace {

void MakeLockFiles(const QTemporaryDir& dir) {
  for (const char* name : {"BookFile.ldb", "Tgcode.ldb", "BookFile.dll"}) {
    QFile file(dir.filePath(QLatin1String(name)));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("lock");
  }
}

// The child process of closingSequenceRemovesLockFiles.
int RunCloseChild() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.SetLockFileDir(qEnvironmentVariable("HEHUN_UI_LOCK_DIR"));
  w.show();
  QTest::mouseClick(w.findChild<QToolButton*>(QStringLiteral("RzToolButton12")), Qt::LeftButton);
  return 3;  // not reached: the closing sequence ends the process
}

}  // namespace

void MainWindowTest::closingSequenceRemovesLockFiles() {
  QTemporaryDir dir;
  MakeLockFiles(dir);
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HEHUN_UI_TEST_CHILD"), QStringLiteral("close"));
  env.insert(QStringLiteral("HEHUN_UI_LOCK_DIR"), dir.path());
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {});
  QVERIFY(child.waitForFinished(30000));
  QCOMPARE(child.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.exitCode(), 0);
  QVERIFY(!QFile::exists(dir.filePath("BookFile.ldb")));
  QVERIFY(!QFile::exists(dir.filePath("Tgcode.ldb")));
  QVERIFY(QFile::exists(dir.filePath("BookFile.dll")));
}

void MainWindowTest::closingOtherwiseKeepsLockFiles() {
  QTemporaryDir dir;
  MakeLockFiles(dir);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.SetLockFileDir(dir.path());
  w.show();
  QVERIFY(w.close());
  QVERIFY(QFile::exists(dir.filePath("BookFile.ldb")));
  QVERIFY(QFile::exists(dir.filePath("Tgcode.ldb")));
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  if (qEnvironmentVariable("HEHUN_UI_TEST_CHILD") == QLatin1String("close")) return RunCloseChild();
  MainWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "main_window_test.moc"
