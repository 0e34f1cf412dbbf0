// The window in Traditional Chinese on Qt's offscreen platform: the page
// texts and the report converted with the typed names kept, messages
// converted on their way to the box, the choice going back and forth and
// remembered, the first start following the locale, and Traditional input
// accepted under either choice.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/ui_script.h"
#include "main_window_fixture.h"

using hehun::Script;
using hehun::ScriptChoice;
using hehun::TraditionalVariant;
using hehun::ui::MainWindow;
using hehun::ui::SetScriptChoice;
using hehun::ui::Shown;

namespace {

const ScriptChoice kSimplified{};
const ScriptChoice kTaiwan{Script::kTraditional, TraditionalVariant::kTaiwan};

}  // namespace

class TraditionalScriptTest : public QObject {
  Q_OBJECT

 private slots:
  void cleanup() { SetScriptChoice(kSimplified, false); }
  void marriagePageAndReportConverted();
  void switchingBackRestoresSimplified();
  void messagesConverted();
  void almanacAndPaintedPagesFollow();
  void choiceRememberedAndFirstStartFollowsLocale();
  void traditionalNameAccepted();
};

void TraditionalScriptTest::marriagePageAndReportConverted() {
  SetScriptChoice(kTaiwan, false);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  QCOMPARE(Find<QPushButton>(w, "RzBitBtn2")->text(), QStringLiteral("測算"));
  QCOMPARE(Find<QLabel>(w, "Panel2")->text(), Shown(QStringLiteral("女方基本信息")));
  auto* calendar = Find<QComboBox>(w, "ComDate");
  QCOMPARE(calendar->itemText(1), QStringLiteral("農曆(陰曆)"));
  QCOMPARE(hehun::ui::ChoiceText(calendar), QStringLiteral("公历(阳历)"));
  // The typed birth data stays as typed.
  FillCouple(w);
  QCOMPARE(Find<QComboBox>(w, "Shour")->currentText(), QStringLiteral("午 11"));
  Click(w, "RzBitBtn2");
  QVERIFY2(fake.errors.isEmpty() && fake.infos.isEmpty(), qPrintable(fake.errors.join(QLatin1Char('|'))));
  const QString report = Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
  const QStringList lines = Lines(report);
  QCOMPARE(lines.first(), Shown(QString::fromUtf8(kManFirstLine)));
  QVERIFY(report.contains(Shown(QString::fromUtf8(kClosingLine))));
  QVERIFY(!report.contains(QString::fromUtf8(kClosingLine)));
  // The names are kept in their Simplified form as typed.
  QVERIFY(report.contains(QStringLiteral("张明")));
  QVERIFY(report.contains(QStringLiteral("李芳")));
  QVERIFY(!report.contains(QStringLiteral("張明")));
  QCOMPARE(Find<QLineEdit>(w, "Xing")->text(), QStringLiteral("张明"));
  QVERIFY(report.contains(QStringLiteral("納音")));
}

void TraditionalScriptTest::switchingBackRestoresSimplified() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  FillCouple(w);
  Click(w, "RzBitBtn2");
  auto* memo = Find<QPlainTextEdit>(w, "MemoSuccess");
  const QString simplified = memo->toPlainText();
  QVERIFY(simplified.startsWith(QString::fromUtf8(kManFirstLine)));
  for (int round = 0; round < 2; ++round) {
    SetScriptChoice(kTaiwan, false);
    QVERIFY(memo->toPlainText() != simplified);
    QVERIFY(memo->toPlainText().contains(QStringLiteral("张明")));
    QCOMPARE(Find<QPushButton>(w, "RzBitBtn24")->text(), QStringLiteral("保存"));
    QCOMPARE(Find<QPushButton>(w, "RzBitBtn2")->text(), QStringLiteral("測算"));
    SetScriptChoice(kSimplified, false);
    QCOMPARE(memo->toPlainText(), simplified);
    QCOMPARE(Find<QPushButton>(w, "RzBitBtn2")->text(), QStringLiteral("测算"));
    QCOMPARE(Find<QComboBox>(w, "ComDate")->itemText(1), QStringLiteral("农历(阴历)"));
  }
  // The analysis button's caption is read back in Simplified: 星座分析 works
  // under 繁體 as under 简体.
  SetScriptChoice(kTaiwan, false);
  w.RzToolButton3Click();
  auto* analysis = Find<QPushButton>(w, "RzButton2");
  QCOMPARE(analysis->text(), QStringLiteral("星座分析"));
  Find<QLineEdit>(w, "Xing2")->setText(QStringLiteral("王五"));
  Click(w, "RzButton2");
  const QString star = Find<QPlainTextEdit>(w, "Memo1")->toPlainText();
  QVERIFY2(star.contains(QStringLiteral("星座")), qPrintable(star.left(200)));
  QVERIFY(star.contains(QStringLiteral("王五")));
}

void TraditionalScriptTest::messagesConverted() {
  SetScriptChoice(kTaiwan, false);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  Click(w, "RzBitBtn24");  // 保存 with nothing to save
  QCOMPARE(fake.infos.size(), 1);
  QCOMPARE(fake.infos.first(), QStringLiteral("當前沒有可保存的內容，請先進行分析。"));
  // A message of the core, with the typed text in it.
  Find<QLineEdit>(w, "Xing")->clear();
  Click(w, "RzBitBtn2");
  const QStringList all = fake.infos + fake.errors + fake.notices;
  QVERIFY(all.size() >= 2);
  QCOMPARE(all.last(), QStringLiteral("男方姓名不能為空!"));
}

void TraditionalScriptTest::almanacAndPaintedPagesFollow() {
  SetScriptChoice({Script::kTraditional, TraditionalVariant::kHongKong}, false);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  w.RzToolButton5Click();
  const QString day = Find<QPlainTextEdit>(w, "MemoHuangli")->toPlainText();
  QVERIFY(!day.isEmpty());
  QVERIFY(day.contains(QStringLiteral("農曆")));
  QVERIFY(!day.contains(QStringLiteral("农历")));
  const QString glossary = Find<QPlainTextEdit>(w, "Memo3")->toPlainText();
  QVERIFY(!glossary.isEmpty());
  QVERIFY(!glossary.contains(QStringLiteral("黄历")));
  // The function page's picture is painted again after a change.
  auto* picture = Find<QLabel>(w, "Image3");
  const QImage traditional = picture->pixmap().toImage();
  SetScriptChoice(kSimplified, false);
  QVERIFY(picture->pixmap().toImage() != traditional);
}

void TraditionalScriptTest::choiceRememberedAndFirstStartFollowsLocale() {
  QSettings settings(QStringLiteral("hehun"), QStringLiteral("hehun"));
  settings.remove(QStringLiteral("display/script"));
  qputenv("LANG", "zh_HK.UTF-8");
  const ScriptChoice first = hehun::ui::RememberedScriptChoice();
  QCOMPARE(first.script, Script::kTraditional);
  QCOMPARE(first.variant, TraditionalVariant::kHongKong);

  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  auto* choice = Find<QComboBox>(w, "ScriptChoice");
  QCOMPARE(choice->itemText(0), QStringLiteral("简体中文"));
  choice->setCurrentIndex(2);
  emit choice->activated(2);  // 繁體中文（台灣）
  QCOMPARE(hehun::ui::CurrentScriptChoice().variant, TraditionalVariant::kTaiwan);
  QCOMPARE(Find<QPushButton>(w, "RzBitBtn2")->text(), QStringLiteral("測算"));
  // The list keeps its own texts in either script.
  QCOMPARE(choice->itemText(0), QStringLiteral("简体中文"));
  QCOMPARE(hehun::ui::RememberedScriptChoice().variant, TraditionalVariant::kTaiwan);
  choice->setCurrentIndex(0);
  emit choice->activated(0);
  QCOMPARE(hehun::ui::RememberedScriptChoice().script, Script::kSimplified);
  QCOMPARE(Find<QPushButton>(w, "RzBitBtn2")->text(), QStringLiteral("测算"));
  settings.remove(QStringLiteral("display/script"));
}

void TraditionalScriptTest::traditionalNameAccepted() {
  for (const ScriptChoice& c : {kSimplified, kTaiwan}) {
    SetScriptChoice(c, false);
    FakeServices fake;
    MainWindow w(&fake, kToday);
    w.show();
    FillCouple(w);
    Find<QLineEdit>(w, "Xing")->setText(QStringLiteral("張三豐"));
    Find<QLineEdit>(w, "Xing3")->setText(QStringLiteral("劉麗華"));
    // Places typed in Traditional characters are found too.
    Find<QLineEdit>(w, "EditPlaceMan")->setText(QStringLiteral("廣州"));
    Find<QLineEdit>(w, "EditPlaceWoman")->setText(QStringLiteral("臺北"));
    Click(w, "RzBitBtn2");
    QVERIFY2(fake.errors.isEmpty() && fake.infos.isEmpty(), qPrintable((fake.errors + fake.infos).join('|')));
    const QString report = Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
    QVERIFY(report.contains(QStringLiteral("張三豐")));
    QVERIFY(report.contains(QStringLiteral("劉麗華")));
    QVERIFY2(report.contains(Shown(QStringLiteral("广州"))), qPrintable(report.left(400)));
    QCOMPARE(Find<QLineEdit>(w, "EditPlaceMan")->text(), QStringLiteral("廣州"));
    QVERIFY(Lines(report).last().contains(c.script == Script::kSimplified ? QStringLiteral("声明")
                                                                           : QStringLiteral("聲明")) ||
            report.contains(c.script == Script::kSimplified ? QStringLiteral("特别声明") : QStringLiteral("特別聲明")));
  }
}

int main(int argc, char** argv) {
  // The remembered choice goes to a settings folder of the test's own.
  QTemporaryDir config;
  qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  TraditionalScriptTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "traditional_script_test.moc"
