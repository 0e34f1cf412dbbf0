// The page 百科 of the main window on Qt's offscreen platform: its buttons
// and introduction, and the articles they show from BookFile.dll.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSet>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

#include "app/appearance.h"
#include "app/encyclopedia_page.h"
#include "app/main_window.h"
#include "app/ui_services.h"
#include "knowledge/encyclopedia.h"
#include "refdb/refdb.h"

using hehun::ui::EncyclopediaPage;
using hehun::ui::MainWindow;

namespace {

// Records every message the window would show; the page must show none.
class CountingServices : public hehun::ui::UiServices {
 public:
  void ShowInfo(QWidget*, const QString&) override { ++messages; }
  void Notice(QWidget*, const QString&) override { ++messages; }
  void ShowError(QWidget*, const QString&) override { ++messages; }
  QString ChooseSaveFile(QFileDialog*) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
  void OpenUrl(const QUrl&) override {}
  int messages = 0;
};

const char* const kButtons[] = {"RzBitBtn6",  "RzBitBtn9",  "RzBitBtn10", "RzBitBtn11", "RzBitBtn12",
                                "RzBitBtn13", "RzBitBtn17", "RzBitBtn28", "RzBitBtn18", "RzBitBtn19"};

template <class W>
W* Find(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// Scrolls the area to its end and puts the caret there, as a reader would
// leave it after reading an article through.
void ScrollToEnd(QPlainTextEdit* memo) {
  QTextCursor end = memo->textCursor();
  end.movePosition(QTextCursor::End);
  memo->setTextCursor(end);
  memo->verticalScrollBar()->setValue(memo->verticalScrollBar()->maximum());
}

// A clean slate: the program's own folder as the data folder again.
struct DataDirGuard {
  ~DataDirGuard() { hehun::SetDataDirOverride({}); }
};

}  // namespace

class EncyclopediaPageTest : public QObject {
  Q_OBJECT
 private slots:
  void navigationShowsTheIntroductionAndTenButtons();
  void eachButtonShowsItsOwnArticleFromTheFirstLine();
  void clickingTwiceShowsTheArticleOnce();
  void missingDatabaseLeavesTheAreaEmptySilently();
  void theKeyComesFromTheClickedButton();
};

void EncyclopediaPageTest::navigationShowsTheIntroductionAndTenButtons() {
  CountingServices services;
  MainWindow w(&services);
  w.show();
  Find<QAbstractButton>(w, "RzToolButton7")->click();
  auto* pages = Find<QTabWidget>(w, "RzPageControl1");
  QCOMPARE(pages->currentWidget()->objectName(), QStringLiteral("TabSheet10"));

  QWidget* page = pages->currentWidget();
  int previousY = -1, x = -1;
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    auto* button = Find<QPushButton>(*page, kButtons[i]);
    QCOMPARE(button->text(), Q(hehun::kEncyclopediaEntries[i].title));
    QCOMPARE(button->property(EncyclopediaPage::kKeyProperty).toString(), Q(hehun::kEncyclopediaEntries[i].key));
    QVERIFY2(button->toolTip().isEmpty(), "the key is never shown to the user");
    QVERIFY(button->isVisible());
    QVERIFY(button->y() > previousY);  // one under the other, in order
    if (x >= 0) QCOMPARE(button->x(), x);
    previousY = button->y(), x = button->x();
  }

  auto* memo = Find<QPlainTextEdit>(*page, "MemoBk");
  QVERIFY(memo->isReadOnly());
  QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  QVERIFY(memo->x() > x);
  const QStringList lines = memo->toPlainText().split(QLatin1Char('\n'));
  QCOMPARE(lines.size(), 10);
  for (int i = 0; i < 10; ++i) QCOMPARE(lines[i], Q(hehun::kEncyclopediaIntro[static_cast<size_t>(i)]));
  QVERIFY(lines[0].startsWith(QStringLiteral("    婚姻和睦")));
  QVERIFY(lines[4].startsWith(QStringLiteral("    八字合婚免")));
  QVERIFY(lines[9].endsWith(QStringLiteral("也是有一定道理的。")));
}

void EncyclopediaPageTest::eachButtonShowsItsOwnArticleFromTheFirstLine() {
  CountingServices services;
  MainWindow w(&services);
  w.show();
  w.RzToolButton7Click();
  auto* memo = Find<QPlainTextEdit>(w, "MemoBk");
  // A smaller view, so that every article is longer than it and has to scroll.
  memo->resize(320, 160);
  hehun::RefDb db;

  QSet<QString> seen;
  for (size_t i = 0; i < std::size(kButtons); ++i) {
    ScrollToEnd(memo);
    Find<QAbstractButton>(w, kButtons[i])->click();
    QApplication::processEvents();
    const QString text = memo->toPlainText();
    QCOMPARE(text, Q(hehun::EncyclopediaArticle(db, hehun::kEncyclopediaEntries[i].key)));
    QVERIFY2(text.size() >= 300, kButtons[i]);
    QVERIFY2(text.count(QLatin1Char('\n')) >= 2, "an article of several paragraphs");
    QVERIFY2(!seen.contains(text), "each button shows its own article");
    seen.insert(text);

    // Shown from its first line with the caret there.
    QVERIFY2(memo->verticalScrollBar()->maximum() > 0, kButtons[i]);
    QCOMPARE(memo->verticalScrollBar()->value(), 0);
    QCOMPARE(memo->textCursor().position(), 0);
    QCOMPARE(memo->cursorForPosition(QPoint(4, 4)).blockNumber(), 0);  // the top line of the view
  }
  QCOMPARE(services.messages, 0);
}

void EncyclopediaPageTest::clickingTwiceShowsTheArticleOnce() {
  CountingServices services;
  MainWindow w(&services);
  w.show();
  auto* memo = Find<QPlainTextEdit>(w, "MemoBk");
  auto* button = Find<QAbstractButton>(w, "RzBitBtn13");  // 六冲
  button->click();
  const QString once = memo->toPlainText();
  QVERIFY(once.contains(QStringLiteral("子午相冲")));
  button->click();
  QCOMPARE(memo->toPlainText(), once);
  QCOMPARE(memo->toPlainText().count(once.section(QLatin1Char('\n'), 0, 0)), 1);
}

void EncyclopediaPageTest::missingDatabaseLeavesTheAreaEmptySilently() {
  DataDirGuard guard;
  QTemporaryDir empty;
  CountingServices services;
  MainWindow w(&services);
  w.show();
  auto* memo = Find<QPlainTextEdit>(w, "MemoBk");

  hehun::SetDataDirOverride(empty.path().toStdString());
  Find<QAbstractButton>(w, "RzBitBtn6")->click();
  QVERIFY(memo->toPlainText().isEmpty());
  QVERIFY(!QFile::exists(empty.filePath(QStringLiteral("BookFile.dll"))));

  // A database without the table, and one that is not a database at all.
  QFile damaged(empty.filePath(QStringLiteral("BookFile.dll")));
  QVERIFY(damaged.open(QIODevice::WriteOnly));
  damaged.write("not a database");
  damaged.close();
  Find<QAbstractButton>(w, "RzBitBtn9")->click();
  QVERIFY(memo->toPlainText().isEmpty());

  QCOMPARE(services.messages, 0);
  QVERIFY(QApplication::activeModalWidget() == nullptr);

  // The next click with the database back in place shows the article.
  hehun::SetDataDirOverride({});
  Find<QAbstractButton>(w, "RzBitBtn9")->click();
  QVERIFY(memo->toPlainText().contains(QStringLiteral("庚帖")));
}

void EncyclopediaPageTest::theKeyComesFromTheClickedButton() {
  CountingServices services;
  MainWindow w(&services);
  w.show();
  auto* memo = Find<QPlainTextEdit>(w, "MemoBk");
  auto* button = Find<QAbstractButton>(w, "RzBitBtn12");
  hehun::RefDb db;

  // Blanks around the key are not part of it.
  button->setProperty(EncyclopediaPage::kKeyProperty, QStringLiteral("  hh08 "));
  button->click();
  QCOMPARE(memo->toPlainText(), Q(hehun::EncyclopediaArticle(db, "hh08")));

  // A key without an article empties the area without a message.
  button->setProperty(EncyclopediaPage::kKeyProperty, QStringLiteral("hh99"));
  button->click();
  QVERIFY(memo->toPlainText().isEmpty());

  // A button without a key does nothing at all.
  Find<QAbstractButton>(w, "RzBitBtn10")->click();
  const QString shown = memo->toPlainText();
  button->setProperty(EncyclopediaPage::kKeyProperty, QStringLiteral("   "));
  button->click();
  QCOMPARE(memo->toPlainText(), shown);
  QCOMPARE(services.messages, 0);
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  EncyclopediaPageTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "encyclopedia_page_test.moc"
