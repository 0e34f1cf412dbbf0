// The function page's matching dialogs (生肖配对, 星座配对, 血型配对) opened from
// the main window: defaults from the page 合婚, a result that follows the
// lists, a fresh dialog at each opening; and every tile of the page looks
// active.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/match_dialog.h"
#include "app/picture_button.h"
#include "app/ui_services.h"

using hehun::ui::MatchDialog;
using hehun::ui::MainWindow;

namespace {

const QDate kToday(2024, 3, 5);

class QuietServices : public hehun::ui::UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override { messages << text; }
  void Notice(QWidget*, const QString& text) override { messages << text; }
  void ShowError(QWidget*, const QString& text) override { messages << text; }
  QString ChooseSaveFile(QFileDialog*) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
  void OpenUrl(const QUrl& url) override { messages << url.toString(); }
  QStringList messages;
};

template <class W>
W* Find(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

// Presses a tile of the function page; `inspect` sees the dialog it opens,
// which is closed afterwards. Returns the dialog (gone once replaced).
QPointer<MatchDialog> Open(MainWindow& w, const char* tile, const std::function<void(MatchDialog&)>& inspect = {}) {
  QPointer<MatchDialog> seen;
  QTimer::singleShot(0, [&] {
    seen = qobject_cast<MatchDialog*>(QApplication::activeModalWidget());
    if (!seen) return;
    if (inspect) inspect(*seen);
    seen->accept();
  });
  Find<QToolButton>(w, tile)->click();
  return seen;
}

void FillDate(MainWindow& w, const char* calendar, const char* year, const char* month, const char* day, int lunar,
              const char* y, const char* m, const char* d) {
  Find<QComboBox>(w, calendar)->setCurrentIndex(lunar);
  Find<QComboBox>(w, year)->setCurrentText(QString::fromLatin1(y));
  Find<QComboBox>(w, month)->setCurrentText(QString::fromLatin1(m));
  Find<QComboBox>(w, day)->setCurrentText(QString::fromLatin1(d));
}

// The man born 1990-03-01 (马, 双鱼座, A型); the woman on lunar 1991-07-01,
// that is 1991-08-10 (羊, 狮子座, AB型).
void FillCouple(MainWindow& w) {
  Find<QLineEdit>(w, "Xing")->setText(QStringLiteral("张明"));
  Find<QLineEdit>(w, "Xing3")->setText(QStringLiteral("李芳"));
  FillDate(w, "ComDate", "SYear", "SMonth", "Sday", 0, "1990", "3", "1");
  FillDate(w, "ComDate3", "SYear3", "SMonth3", "Sday3", 1, "1991", "7", "1");
  Find<QComboBox>(w, "ComboBoxDL")->setCurrentText(QStringLiteral("A型"));
  Find<QComboBox>(w, "ComboBoxXX")->setCurrentText(QStringLiteral("AB型"));
}

}  // namespace

class MatchDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void defaultsFromTheMarriagePage_data();
  void defaultsFromTheMarriagePage();
  void withoutDefaultsNothingIsChosen();
  void resultFollowsTheListsInTheirOrder();
  void freshDialogEachTime();
  void everyTileLooksActive();
};

void MatchDialogsTest::defaultsFromTheMarriagePage_data() {
  QTest::addColumn<QString>("tile");
  QTest::addColumn<QString>("dialog");
  QTest::addColumn<QString>("man");
  QTest::addColumn<QString>("woman");
  QTest::addColumn<QStringList>("shown");
  QTest::newRow("生肖") << "RzToolButton21" << "TFrmSxpd" << QStringLiteral("马") << QStringLiteral("羊")
                      << QStringList{QStringLiteral("生肖配对：属马 与 属羊"), QStringLiteral("属相关系：六合（午未六合）"),
                                     QStringLiteral("配对等级：上等")};
  QTest::newRow("星座") << "RzToolButton20" << "TFrmXzpd" << QStringLiteral("双鱼座") << QStringLiteral("狮子座")
                      << QStringList{QStringLiteral("星座配对：狮子座 与 双鱼座"),
                                     QStringLiteral("星座相位：梅花相（十二分之五相），相距150度")};
  QTest::newRow("血型") << "RzToolButton22" << "TFrmXxpd" << QStringLiteral("A型") << QStringLiteral("AB型")
                      << QStringList{QStringLiteral("血型配对：A型 与 AB型"),
                                     QStringLiteral("说明：血型配对是流行的民间说法，并无科学依据，仅供娱乐参考。")};
}

void MatchDialogsTest::defaultsFromTheMarriagePage() {
  QFETCH(QString, tile);
  QFETCH(QString, dialog);
  QFETCH(QString, man);
  QFETCH(QString, woman);
  QFETCH(QStringList, shown);
  QuietServices services;
  MainWindow w(&services, kToday);
  w.show();
  FillCouple(w);
  bool inspected = false;
  Open(w, tile.toLatin1().constData(), [&](MatchDialog& d) {
    inspected = true;
    QCOMPARE(d.objectName(), dialog);
    QCOMPARE(d.ManList()->currentText(), man);
    QCOMPARE(d.WomanList()->currentText(), woman);
    const QStringList lines = d.ResultText().split(QLatin1Char('\n'));
    for (const QString& line : shown) QVERIFY2(lines.contains(line), qPrintable(d.ResultText()));
    QVERIFY(d.findChild<QTextBrowser*>(QStringLiteral("MemoResult"))->toPlainText().contains(shown.last()));
  });
  QVERIFY(inspected);
  QVERIFY(services.messages.isEmpty());
}

void MatchDialogsTest::withoutDefaultsNothingIsChosen() {
  QuietServices services;
  MainWindow w(&services, kToday);
  w.show();
  // The blood-type boxes start empty; a year cleared on the page gives no animal.
  Find<QComboBox>(w, "SYear")->setCurrentText(QString());
  for (const char* tile : {"RzToolButton22", "RzToolButton21"}) {
    bool inspected = false;
    Open(w, tile, [&](MatchDialog& d) {
      inspected = true;
      QCOMPARE(d.ManList()->currentIndex(), -1);
      QVERIFY(d.ResultText().isEmpty());
      QVERIFY(d.findChild<QTextBrowser*>(QStringLiteral("MemoResult"))->toPlainText().startsWith(QStringLiteral("请在上方")));
    });
    QVERIFY(inspected);
  }
}

void MatchDialogsTest::resultFollowsTheListsInTheirOrder() {
  QuietServices services;
  MainWindow w(&services, kToday);
  w.show();
  bool inspected = false;
  Open(w, "RzToolButton21", [&](MatchDialog& d) {
    inspected = true;
    d.ManList()->setCurrentText(QStringLiteral("鼠"));
    d.WomanList()->setCurrentText(QStringLiteral("马"));
    const QString ratHorse = d.ResultText();
    QVERIFY2(ratHorse.contains(QStringLiteral("属相关系：六冲（子午相冲）")), qPrintable(ratHorse));
    QVERIFY(ratHorse.contains(QStringLiteral("配对等级：下等")));
    d.ManList()->setCurrentText(QStringLiteral("马"));
    d.WomanList()->setCurrentText(QStringLiteral("鼠"));
    // The pair is named in the order of the lists; the relation and the
    // reading are the same.
    const QString horseRat = d.ResultText();
    QVERIFY2(horseRat.startsWith(QStringLiteral("生肖配对：属马 与 属鼠\n")), qPrintable(horseRat));
    const auto withoutNames = [](const QString& text) {
      QStringList kept;
      for (const QString& line : text.split(QLatin1Char('\n')))
        if (!line.startsWith(QStringLiteral("生肖配对：")) && !line.startsWith(QStringLiteral("生肖五行："))) kept << line;
      return kept;
    };
    QCOMPARE(withoutNames(horseRat), withoutNames(ratHorse));
    d.WomanList()->setCurrentText(QStringLiteral("牛"));
    QVERIFY(d.ResultText().contains(QStringLiteral("属相关系：六害（丑午相害）")));
  });
  QVERIFY(inspected);
}

void MatchDialogsTest::freshDialogEachTime() {
  QuietServices services;
  MainWindow w(&services, kToday);
  w.show();
  for (const char* tile : {"RzToolButton20", "RzToolButton21", "RzToolButton22"}) {
    QPointer<MatchDialog> first = Open(w, tile, [](MatchDialog& d) { d.ManList()->setCurrentIndex(3); });
    QVERIFY(first);
    int manIndex = -2;
    QPointer<MatchDialog> second = Open(w, tile, [&](MatchDialog& d) { manIndex = d.ManList()->currentIndex(); });
    QVERIFY(first.isNull());  // replaced by the second opening
    QVERIFY(second);
    QVERIFY(manIndex != 3);
  }
}

void MatchDialogsTest::everyTileLooksActive() {
  QuietServices services;
  MainWindow w(&services, kToday);
  w.show();
  Find<QToolButton>(w, "RzToolButton8")->click();
  for (const char* name : {"RzToolButton19", "RzToolButton23", "RzToolButton15", "RzToolButton31", "RzToolButton20",
                           "RzToolButton21", "RzToolButton22", "RzToolButton32"}) {
    auto* tile = Find<hehun::ui::PictureButton>(w, name);
    QVERIFY(!tile->IsUnavailable());
    QVERIFY(!tile->toolTip().isEmpty() && tile->toolTip() != QStringLiteral("暂未开放"));
    QCOMPARE(tile->cursor().shape(), Qt::PointingHandCursor);
  }
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  MatchDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "match_dialogs_test.moc"
