// The folk dialogs of the function page on Qt's offscreen platform: the four
// tiles open them, each shows the core's lines for a valid input and
// refuses an empty or bad one with a message, the QQ boxes take digits
// only, and the dream book browses its categories.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/appearance.h"
#include "app/folk/character_element_dialog.h"
#include "app/folk/dream_dialog.h"
#include "app/folk/folk_common.h"
#include "app/folk/pair_dialog.h"
#include "app/main_window.h"
#include "app/picture_button.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "divination/character_element.h"
#include "divination/name_affinity.h"
#include "divination/qq_pair.h"
#include "knowledge/dream_book.h"
#include "refdb/refdb.h"

using namespace hehun::ui;

namespace {

class FakeServices : public UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override { infos << text; }
  void Notice(QWidget*, const QString& text) override { infos << text; }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  QString ChooseSaveFile(QFileDialog*) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
  void OpenUrl(const QUrl&) override {}
  QStringList infos, errors;
};

template <class W>
W* Find(QWidget* window, const char* name) {
  W* w = window->findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

// A dialog owned by a widget that answers its messages.
struct Owner {
  FakeServices fake;
  QWidget widget;
  Owner() { SetWindowServices(&widget, &fake); }
};

// What a core report writes for an input, and the message it gives for a
// refused one.
struct CoreAnswer {
  bool accepted = false;
  QString text, message;
};
CoreAnswer Answer(const std::function<bool(hehun::Messages&, hehun::LineSink&)>& report) {
  hehun::CapturedMessages messages;
  hehun::LineList lines;
  CoreAnswer a;
  a.accepted = report(messages, lines);
  a.text = FromUtf8(lines.Text());
  if (!messages.entries.empty()) a.message = FromUtf8(messages.entries.back().text);
  return a;
}

void Run(QWidget* d) { Find<QPushButton>(d, "RzBitBtn1")->click(); }

QString Shown(QWidget* d) { return Find<QTextBrowser>(d, "MemoResult")->toPlainText(); }

}  // namespace

class FolkDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void tilesOpenTheirDialogs_data();
  void tilesOpenTheirDialogs();
  void nameAffinity_data();
  void nameAffinity();
  void qqPairTakesDigitsOnly();
  void qqPair_data();
  void qqPair();
  void characterElement_data();
  void characterElement();
  void dreamSearch();
  void dreamCategoriesBrowse();
};

void FolkDialogsTest::tilesOpenTheirDialogs_data() {
  QTest::addColumn<QString>("tile");
  QTest::addColumn<QString>("objectName");
  QTest::addColumn<QString>("caption");
  QTest::newRow("names") << "RzToolButton19" << "TFrmYuanfen" << "缘分测试";
  QTest::newRow("qq") << "RzToolButton23" << "TFrmQQYuanfen" << "QQ号缘分";
  QTest::newRow("dream") << "RzToolButton15" << "TFrmZhougong" << "周公解梦";
  QTest::newRow("element") << "RzToolButton31" << "TFrmWenziWuxing" << "文字五行";
}

void FolkDialogsTest::tilesOpenTheirDialogs() {
  QFETCH(QString, tile);
  QFETCH(QString, objectName);
  QFETCH(QString, caption);
  FakeServices fake;
  MainWindow w(&fake, QDate(2024, 3, 5));
  w.show();
  w.findChild<QToolButton*>(QStringLiteral("RzToolButton8"))->click();
  auto* button = w.findChild<PictureButton*>(tile);
  QVERIFY(button && !button->IsUnavailable());
  QCOMPARE(button->toolTip(), caption);  // the tile's name, as on the other tiles
  QCOMPARE(button->cursor().shape(), Qt::PointingHandCursor);
  int seen = 0;
  for (int i = 0; i < 2; ++i) {
    QPointer<QDialog> d;
    QTimer::singleShot(0, [&] {
      d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      ++seen;
      QCOMPARE(d->objectName(), objectName);
      QCOMPARE(d->windowTitle(), caption);
      // Nothing left from the previous opening: empty boxes, the hint only.
      for (QLineEdit* edit : d->findChildren<QLineEdit*>()) {
        QVERIFY(edit->text().isEmpty());
        edit->setText(QStringLiteral("12345"));
      }
      QVERIFY(Find<FolkResultArea>(d, "MemoResult")->ResultText().isEmpty());
      QVERIFY(!Shown(d).isEmpty());
      QVERIFY(Find<QLabel>(d, "LabelNote")->isVisible());
      // Closed by "关闭" the first time, by Esc the second.
      if (i == 0)
        Find<QPushButton>(d, "RzBitBtn2")->click();
      else
        QTest::keyClick(d->focusWidget() ? d->focusWidget() : d.data(), Qt::Key_Escape);
    });
    button->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(d.isNull());  // destroyed on closing
  }
  QCOMPARE(seen, 2);
  QVERIFY(fake.infos.isEmpty() && fake.errors.isEmpty());
}

void FolkDialogsTest::nameAffinity_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::newRow("two and two") << "张三" << "李四";
  QTest::newRow("four and one") << "欧阳明月" << "王";
  QTest::newRow("blanks around") << " 刘德华 " << "朱丽倩";
  QTest::newRow("first empty") << "" << "李四";
  QTest::newRow("second blank") << "张三" << "  ";
  QTest::newRow("latin letters") << "Tom" << "李四";
  QTest::newRow("five characters") << "张三李四王" << "李四";
  QTest::newRow("a digit") << "张3" << "李四";
}

void FolkDialogsTest::nameAffinity() {
  QFETCH(QString, first);
  QFETCH(QString, second);
  Owner owner;
  auto* d = new PairDialog(&owner.widget, PairKind::kNames);
  d->show();
  const QString hint = Shown(d);
  QVERIFY(Find<QLabel>(d, "LabelNote")->text().contains(QStringLiteral("kTotalStrokes")));
  Find<QLineEdit>(d, "EditFirst")->setText(first);
  Find<QLineEdit>(d, "EditSecond")->setText(second);
  QTest::keyClick(Find<QLineEdit>(d, "EditSecond"), Qt::Key_Return);
  const CoreAnswer core = Answer([&](hehun::Messages& m, hehun::LineSink& out) {
    return hehun::NameAffinityReport(ToUtf8(first), ToUtf8(second), m, out);
  });
  if (core.accepted) {
    QVERIFY(owner.fake.infos.isEmpty());
    QCOMPARE(d->ResultText(), core.text);
    QVERIFY(core.text.contains(QStringLiteral("第1行：")));
    QVERIFY(core.text.contains(QStringLiteral("Unihan")));  // says which strokes it counts
    for (const char* part : {"缘分指数", "第1行", "笔画"}) QVERIFY(Shown(d).contains(QString::fromUtf8(part)));
  } else {
    QCOMPARE(owner.fake.infos, QStringList{core.message});
    QVERIFY(!core.message.isEmpty());
    QVERIFY(d->ResultText().isEmpty());
    QCOMPARE(Shown(d), hint);  // the result area is left as it was
  }
  delete d;
}

void FolkDialogsTest::qqPairTakesDigitsOnly() {
  Owner owner;
  auto* d = new PairDialog(&owner.widget, PairKind::kQqNumbers);
  d->show();
  for (const char* name : {"EditFirst", "EditSecond"}) {
    auto* edit = Find<QLineEdit>(d, name);
    QTest::keyClicks(edit, QStringLiteral("1a2 b-3.+x4"));
    QKeyEvent wideDigit(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("５"));
    QApplication::sendEvent(edit, &wideDigit);  // a full-width digit is no digit here
    QTest::keyClicks(edit, QStringLiteral("5"));
    QCOMPARE(edit->text(), QStringLiteral("12345"));
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), QStringLiteral("1234"));
    QTest::keyClicks(edit, QStringLiteral("567890123456"));
    QCOMPARE(edit->text().size(), hehun::kQqMaxDigits);
  }
  QTest::keyClick(Find<QLineEdit>(d, "EditFirst"), Qt::Key_Enter);
  QVERIFY(owner.fake.infos.isEmpty());
  QVERIFY(d->ResultText().startsWith(QStringLiteral("QQ号缘分：12345678901 与 12345678901")));
  delete d;
}

void FolkDialogsTest::qqPair_data() {
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::newRow("five and five") << "10001" << "20002";
  QTest::newRow("eleven digits") << "12345678901" << "98765432109";
  QTest::newRow("first empty") << "" << "20002";
  QTest::newRow("four digits") << "10001" << "2000";
  QTest::newRow("pasted letters") << "12ab5" << "20002";
}

void FolkDialogsTest::qqPair() {
  QFETCH(QString, first);
  QFETCH(QString, second);
  Owner owner;
  auto* d = new PairDialog(&owner.widget, PairKind::kQqNumbers);
  d->show();
  Find<QLineEdit>(d, "EditFirst")->setText(first);  // set as if pasted
  Find<QLineEdit>(d, "EditSecond")->setText(second);
  Run(d);
  const CoreAnswer core = Answer([&](hehun::Messages& m, hehun::LineSink& out) {
    return hehun::QqPairReport(ToUtf8(first), ToUtf8(second), m, out);
  });
  if (core.accepted) {
    QVERIFY(owner.fake.infos.isEmpty());
    QCOMPARE(d->ResultText(), core.text);
    for (const char* part : {"两号之和", "吉凶", "缘分解读"}) QVERIFY(Shown(d).contains(QString::fromUtf8(part)));
  } else {
    QCOMPARE(owner.fake.infos, QStringList{core.message});
    QVERIFY(!core.message.isEmpty());
    QVERIFY(d->ResultText().isEmpty());
  }
  delete d;
}

void FolkDialogsTest::characterElement_data() {
  QTest::addColumn<QString>("text");
  QTest::newRow("a name") << "林海";
  QTest::newRow("with blanks") << " 张 伟华 ";
  QTest::newRow("empty") << "";
  QTest::newRow("a letter") << "林a";
  QTest::newRow("too many") << QString(hehun::kElementTextMaxChars + 1, QChar(0x6797));
}

void FolkDialogsTest::characterElement() {
  QFETCH(QString, text);
  Owner owner;
  auto* d = new CharacterElementDialog(&owner.widget);
  d->show();
  QCOMPARE(Find<QPushButton>(d, "RzBitBtn1")->text(), QStringLiteral("查询"));
  auto* edit = Find<QLineEdit>(d, "edtmun");
  edit->setText(text);
  QTest::keyClick(edit, Qt::Key_Return);
  const CoreAnswer core = Answer([&](hehun::Messages& m, hehun::LineSink& out) {
    return hehun::CharacterElementReport(ToUtf8(text), m, out);
  });
  if (core.accepted) {
    QVERIFY(owner.fake.infos.isEmpty());
    QCOMPARE(d->ResultText(), core.text);
    const QString characters = QString(text).remove(QLatin1Char(' '));
    QCOMPARE(d->ResultText().count(QLatin1Char('\n')) + 1, characters.size());
    // The table shows every character under the column names.
    for (const QChar c : characters) QVERIFY(Shown(d).contains(c));
    QVERIFY(Shown(d).contains(QStringLiteral("康熙笔画")));
  } else {
    QCOMPARE(owner.fake.infos, QStringList{core.message});
    QVERIFY(!core.message.isEmpty());
    QVERIFY(d->ResultText().isEmpty());
  }
  delete d;
}

void FolkDialogsTest::dreamSearch() {
  Owner owner;
  auto* d = new DreamDialog(&owner.widget);
  d->show();
  auto* edit = Find<QLineEdit>(d, "edtmun");
  hehun::RefDb db;
  Run(d);  // empty
  QCOMPARE(owner.fake.infos.size(), 1);
  QCOMPARE(owner.fake.infos[0], Answer([&](hehun::Messages& m, hehun::LineSink& out) {
                                  return hehun::DreamSearchReport(db, "", m, out);
                                }).message);
  auto* list = Find<QListWidget>(d, "ListCategories");
  list->setCurrentRow(1);
  for (const char* words : {"蛇", "掉牙", "水 鱼", "这个词不会在梦书里"}) {
    edit->setText(QString::fromUtf8(words));
    QTest::keyClick(edit, Qt::Key_Return);
    const CoreAnswer core = Answer([&](hehun::Messages& m, hehun::LineSink& out) {
      return hehun::DreamSearchReport(db, words, m, out);
    });
    QVERIFY(core.accepted);
    QCOMPARE(d->ResultText(), core.text);
    QCOMPARE(list->currentRow(), -1);  // a search leaves the category browse
  }
  QVERIFY(d->ResultText().startsWith(QStringLiteral("没有找到")));
  edit->setText(QStringLiteral("蛇"));
  Run(d);
  QVERIFY(Shown(d).contains(QStringLiteral("蛇")));
  QVERIFY(Shown(d).count(QStringLiteral("【")) >= 2);
  QCOMPARE(owner.fake.infos.size(), 1);
  QVERIFY(owner.fake.errors.isEmpty());
  delete d;
}

void FolkDialogsTest::dreamCategoriesBrowse() {
  Owner owner;
  auto* d = new DreamDialog(&owner.widget);
  d->show();
  auto* list = Find<QListWidget>(d, "ListCategories");
  hehun::RefDb db;
  const auto categories = hehun::DreamCategories(db);
  QCOMPARE(list->count(), static_cast<int>(categories.size()));
  QVERIFY(list->count() >= 10);
  int total = 0;
  for (int row = 0; row < list->count(); ++row) {
    const auto& [category, count] = categories[static_cast<size_t>(row)];
    QCOMPARE(list->item(row)->text(), QStringLiteral("%1（%2）").arg(FromUtf8(category)).arg(count));
    total += count;
  }
  QVERIFY(total >= 600);
  // Choosing a row, by mouse or keys, shows its entries.
  for (int row : {0, list->count() - 1}) {
    list->setCurrentRow(row);
    const std::string category = categories[static_cast<size_t>(row)].first;
    const CoreAnswer core = Answer([&](hehun::Messages& m, hehun::LineSink& out) {
      return hehun::DreamCategoryBrowse(db, category, m, out);
    });
    QCOMPARE(d->ResultText(), core.text);
    QCOMPARE(d->ResultText().count(QStringLiteral("【")), categories[static_cast<size_t>(row)].second);
  }
  QTest::keyClick(list, Qt::Key_Up);
  QCOMPARE(list->currentRow(), list->count() - 2);
  QVERIFY(d->ResultText().startsWith(FromUtf8(categories[categories.size() - 2].first)));
  QVERIFY(owner.fake.infos.isEmpty() && owner.fake.errors.isEmpty());
  delete d;
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle());
  ApplyAppearance(app);
  FolkDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "folk_dialogs_test.moc"
