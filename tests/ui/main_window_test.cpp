// The main window on Qt's offscreen platform: layout and names, navigation,
// the input panels, the two reports, saving, printing, links and closing.
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

using hehun::ui::MainWindow;

namespace {

const QDate kToday(2024, 3, 5);

class FakeServices : public hehun::ui::UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override {
    infos << text;
    if (onInfo) onInfo();
  }
  void Notice(QWidget*, const QString& text) override { notices << text; }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  QString ChooseSaveFile(QFileDialog* dialog) override {
    saveDialog = dialog;
    return saveTo;
  }
  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    if (pdfPath.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
  }
  void OpenUrl(const QUrl& url) override { urls << url; }

  QStringList infos, notices, errors;
  QList<QUrl> urls;
  QString saveTo, pdfPath;
  QFileDialog* saveDialog = nullptr;
  std::function<void()> onInfo;
};

template <class W>
W* Find(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

QStringList Lines(const QString& text) { return text.split(QLatin1Char('\n')); }

void Click(QWidget& window, const char* name) { Find<QAbstractButton>(window, name)->click(); }

void FillRow(QWidget& w, const char* name, const char* calendar, const char* year, const char* month,
             const char* day, const char* hour, const char* minute, const QString& person, int calendarIndex,
             const QString& y, const QString& m, const QString& d, const QString& h, const QString& min) {
  Find<QLineEdit>(w, name)->setText(person);
  Find<QComboBox>(w, calendar)->setCurrentIndex(calendarIndex);
  Find<QComboBox>(w, year)->setCurrentText(y);
  Find<QComboBox>(w, month)->setCurrentText(m);
  Find<QComboBox>(w, day)->setCurrentText(d);
  Find<QComboBox>(w, hour)->setCurrentText(h);
  Find<QComboBox>(w, minute)->setCurrentText(min);
}

void FillCouple(QWidget& w) {
  FillRow(w, "Xing", "ComDate", "SYear", "SMonth", "Sday", "Shour", "CBFen", QStringLiteral("张明"), 0, "1990", "6",
          "15", QStringLiteral("午 11"), "30");
  FillRow(w, "Xing3", "ComDate3", "SYear3", "SMonth3", "Sday3", "Shour3", "CBFen3", QStringLiteral("李芳"), 1, "1992",
          "3", "8", QStringLiteral("卯 6"), "5");
}

const char kManFirstLine[] = "男方基本信息：";
const char kClosingLine[] = "特别声明：以上分析只做参考，即使分析不佳世上也有欢喜冤家或旷世奇缘的情感。";

}  // namespace

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
  void marriageValidation_data();
  void marriageValidation();
  void manRowRefusalKeepsPreviousReport();
  void completeMarriageReport();
  void conversionErrorKeepsWrittenLines();
  void personalReportReplacesMemo();
  void personalValidationKeepsMemo();
  void saveWritesUtf8Text();
  void saveCancelledWritesNothing();
  void printToPdf();
  void links_data();
  void links();
  void namingDialogIsFreshEachTime();
  void buttonsWithoutActionDoNothing();
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
  QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("文本文件 (*.txt)")});
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
  // Each control lies on its page.
  const std::pair<const char*, const char*> owners[] = {
      {"MemoSuccess", "TabSheet1"}, {"RzBitBtn2", "TabSheet1"},  {"ComboBoxXX", "TabSheet1"},
      {"Memo1", "TabSheet2"},       {"RzButton2", "TabSheet2"},  {"NameB2", "TabSheet2"},
      {"SlYear", "TabSheet3"},      {"RzToolButton37", "TabSheet9"}, {"Memo2", "TabSheet4"},
      {"RzBitBtn32", "TabSheet4"},  {"SYear22", "TabSheet4"}};
  for (const auto& [control, page] : owners)
    QCOMPARE(Find<QWidget>(w, control)->parentWidget()->objectName(), QString::fromLatin1(page));
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
  QCOMPARE(slYear->count(), 201);
  QCOMPARE(slYear->itemText(200), QStringLiteral("2100"));
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
           (QStringList{"3天以内", "一周以内", "一月以内", "三月以内", "半年以内", "一年以年"}));
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

void MainWindowTest::marriageValidation_data() {
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

void MainWindowTest::marriageValidation() {
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
    QCOMPARE(memo->toPlainText(), memoWhileShown);
  } else {
    QVERIFY(memo->toPlainText().isEmpty());
  }
}

void MainWindowTest::manRowRefusalKeepsPreviousReport() {
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

void MainWindowTest::completeMarriageReport() {
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

void MainWindowTest::conversionErrorKeepsWrittenLines() {
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
  const QString text = Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
  QCOMPARE(Lines(text).first(), QString::fromUtf8(kManFirstLine));
  QVERIFY(!text.contains(QStringLiteral("女方基本信息：")));
}

void MainWindowTest::personalReportReplacesMemo() {
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

void MainWindowTest::personalValidationKeepsMemo() {
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

void MainWindowTest::saveWritesUtf8Text() {
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

void MainWindowTest::saveCancelledWritesNothing() {
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

void MainWindowTest::printToPdf() {
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

void MainWindowTest::links_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QUrl>("url");
  // The shipped contacts.ini beside the program (the chat tile, without a QQ
  // number there, shows a box instead: see window_details_test).
  QTest::newRow("title bar web site") << "RzToolButton9" << QUrl("https://www.example.com");
  QTest::newRow("mail") << "RzToolButton39" << QUrl("mailto:support@example.com");
  QTest::newRow("web site") << "RzToolButton40" << QUrl("https://www.example.com");
}

void MainWindowTest::links() {
  QFETCH(QString, button);
  QFETCH(QUrl, url);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.findChild<QToolButton*>(button)->click();
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

void MainWindowTest::buttonsWithoutActionDoNothing() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  Click(w, "RzToolButton8");
  const QList<QWidget*> before = QApplication::topLevelWidgets();
  for (const char* name : {"RzToolButton19", "RzToolButton23", "RzToolButton15", "RzToolButton31"})
    Click(w, name);
  QCOMPARE(QApplication::topLevelWidgets().size(), before.size());
  QVERIFY(fake.infos.isEmpty() && fake.urls.isEmpty() && fake.errors.isEmpty());
  QCOMPARE(Find<QTabWidget>(w, "RzPageControl1")->currentWidget()->objectName(), QStringLiteral("TabSheet9"));
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
