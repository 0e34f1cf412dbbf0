// The divination dialogs on Qt's offscreen platform: opened from the
// function page, the number dialogs' key filter and results, the nickname
// dialog, the omen windows and the conception table.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/nickname_dialog.h"
#include "app/number_dialog.h"
#include "app/omen_window.h"
#include "app/main_window.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "divination/number81.h"
#include "divination/omens.h"
#include "refdb/refdb.h"

using namespace hehun::ui;

namespace {

class FakeServices : public UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override { infos << text; }
  void Notice(QWidget*, const QString& text) override { notices << text; }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  QString ChooseSaveFile(QFileDialog*) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
  void OpenUrl(const QUrl& url) override { urls << url; }
  QStringList infos, notices, errors;
  QList<QUrl> urls;
};

template <class W>
W* Find(QWidget* window, const char* name) {
  W* w = window->findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

QString Text(QWidget* dialog, const char* label) { return Find<QLabel>(dialog, label)->text(); }

QStringList Results(QWidget* dialog) {
  return {Text(dialog, "RzLabel11"), Text(dialog, "RzLabel10"), Text(dialog, "RzLabel9"), Text(dialog, "RzLabel8")};
}

// The colour a label's text is drawn in.
QColor TextColour(QWidget* dialog, const char* label) {
  auto* l = Find<QLabel>(dialog, label);
  l->ensurePolished();
  return l->palette().color(QPalette::WindowText);
}

QStringList EntryRows(const QString& number, int r) {
  const hehun::FortuneFields f = hehun::SplitFortune(hehun::Number81Entry(r));
  return {number, FromUtf8(f.state), FromUtf8(f.grade), FromUtf8(f.detail)};
}

// A dialog owned by a widget that answers its messages.
struct Owner {
  FakeServices fake;
  QWidget widget;
  Owner() { SetWindowServices(&widget, &fake); }
};

// Runs `inside` on the modal dialog that clicking `button` opens, then closes
// it; returns the dialog (empty once destroyed).
QPointer<QDialog> OpenFromPage(MainWindow& w, const char* button, const std::function<void(QDialog*)>& inside = {}) {
  QPointer<QDialog> opened;
  QTimer::singleShot(0, [&] {
    opened = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!opened) return;
    if (inside) inside(opened);
    opened->close();
  });
  w.findChild<QToolButton*>(QString::fromLatin1(button))->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return opened;
}

}  // namespace

class DivinationDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void functionPageOpensFreshDialogs_data();
  void functionPageOpensFreshDialogs();
  void keyFilterAdmitsDigitsBackspaceAndEnter();
  void qqAndAnyNumberResults();
  void pastedTextsInTheNumberDialogs();
  void mobileResults();
  void mobileFailureIsSilent();
  void mobileCalculatesANumberPresentAtShowing();
  void nicknameDialog();
  void omenWindowsOnePerPress();
  void conceptionTableEditsAreLost();
  void toolWindowsCloseByButtonAndEscapeCentredOnTheMainWindow();
};

void DivinationDialogsTest::functionPageOpensFreshDialogs_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<QString>("objectName");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<bool>("destroyedOnClose");
  QTest::newRow("mobile") << "RzToolButton32" << "TFrm_SJcs" << "手机号码测算" << true;
  QTest::newRow("qq") << "RzToolButton33" << "TFrmQQhm" << "QQ号码测试" << true;
  QTest::newRow("any") << "RzToolButton34" << "TFrm_onther" << "任意号码分析" << true;
  QTest::newRow("nickname") << "RzToolButton35" << "TFrmWangming" << "网名与性格" << true;
  QTest::newRow("conception") << "RzToolButton13" << "TFrm_NanNv" << "生男生女" << false;
}

void DivinationDialogsTest::functionPageOpensFreshDialogs() {
  QFETCH(QString, button);
  QFETCH(QString, objectName);
  QFETCH(QString, caption);
  QFETCH(bool, destroyedOnClose);
  FakeServices fake;
  MainWindow w(&fake, QDate(2024, 3, 5));
  w.show();
  QList<QPointer<QDialog>> opened;
  int seen = 0;
  for (int i = 0; i < 3; ++i) {
    opened << OpenFromPage(w, button.toLatin1().constData(), [&](QDialog* d) {
      ++seen;
      QCOMPARE(d->objectName(), objectName);
      QCOMPARE(d->windowTitle(), caption);
      if (auto* edit = d->findChild<QLineEdit*>(QStringLiteral("edtmun"))) {
        QVERIFY(edit->text().isEmpty());  // nothing left from the previous opening
        edit->setText(QStringLiteral("13800000088"));
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(!Find<QLabel>(d, "RzLabel11")->text().isEmpty());
      }
    });
  }
  QCOMPARE(seen, 3);
  // Destroyed on closing, or (the conception table) kept hidden until the
  // next opening replaces it.
  for (int i = 0; i < 3; ++i) {
    const bool alive = !opened[i].isNull() && opened[i]->objectName() == objectName;
    QCOMPARE(alive, !destroyedOnClose && i == 2);
  }
  QVERIFY(fake.infos.isEmpty() && fake.errors.isEmpty());
}

void DivinationDialogsTest::keyFilterAdmitsDigitsBackspaceAndEnter() {
  Owner owner;
  auto* d = new NumberDialog(&owner.widget, hehun::NumberKind::kAny);
  d->show();
  auto* edit = Find<QLineEdit>(d, "edtmun");
  QTest::keyClicks(edit, QStringLiteral("1a2 b-3.+x4"));
  QCOMPARE(edit->text(), QStringLiteral("1234"));
  QTest::keyClick(edit, Qt::Key_Backspace);
  QCOMPARE(edit->text(), QStringLiteral("123"));
  QVERIFY(Text(d, "RzLabel11").isEmpty());
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(Results(d), EntryRows(QStringLiteral("123"), 43));  // 123 - 80
  QTest::keyClicks(edit, QStringLiteral("4567890123456789999"));
  QCOMPARE(edit->text().size(), 18);  // the box holds 18 digits
  QTest::keyClick(edit, Qt::Key_Enter);
  QCOMPARE(Text(d, "RzLabel11"), edit->text());
  QVERIFY(owner.fake.infos.isEmpty());
  // The same on the mobile dialog, whose box holds 11 digits.
  auto* m = new NumberDialog(&owner.widget, hehun::NumberKind::kMobile);
  m->show();
  QTest::keyClicks(Find<QLineEdit>(m, "edtmun"), QStringLiteral("138x1234y56780000"));
  QCOMPARE(Find<QLineEdit>(m, "edtmun")->text(), QStringLiteral("13812345678"));
  delete d;
  delete m;
}

void DivinationDialogsTest::qqAndAnyNumberResults() {
  Owner owner;
  auto* qq = new NumberDialog(&owner.widget, hehun::NumberKind::kQq);
  qq->show();
  auto* edit = Find<QLineEdit>(qq, "edtmun");
  Find<QPushButton>(qq, "RzBitBtn1")->click();
  QCOMPARE(owner.fake.infos, QStringList{QStringLiteral("请输入你的QQ号码！")});
  const std::pair<const char*, int> numbers[] = {{"1", 1}, {"81", 81}, {"161", 81}, {"999999999999999999", 79}};
  for (const auto& [n, entry] : numbers) {
    edit->setText(QString::fromLatin1(n));
    Find<QPushButton>(qq, "RzBitBtn1")->click();
    QCOMPARE(Results(qq), EntryRows(QString::fromLatin1(n), entry));
  }
  QCOMPARE(owner.fake.infos.size(), 1);
  edit->setText(QStringLiteral("0"));  // the table counts from 1
  Find<QPushButton>(qq, "RzBitBtn1")->click();
  QCOMPARE(owner.fake.infos.last(), FromUtf8(hehun::kNumber81Refusal));
  QCOMPARE(Text(qq, "RzLabel11"), QStringLiteral("999999999999999999"));
  // The captions of the rows; the grade in red.
  QCOMPARE(Text(qq, "RzLabel7"), QStringLiteral("qq号码是："));
  const QColor grade = TextColour(qq, "RzLabel9");
  QVERIFY(grade.red() > 180 && grade.green() < 60 && grade.blue() < 60);
  QCOMPARE(Text(qq, "RzLabel1"), QStringLiteral("QQ号码："));

  auto* any = new NumberDialog(&owner.widget, hehun::NumberKind::kAny);
  any->show();
  owner.fake.infos.clear();
  Find<QPushButton>(any, "RzBitBtn1")->click();
  QCOMPARE(owner.fake.infos, QStringList{QStringLiteral("请输入你的号码！")});
  Find<QLineEdit>(any, "edtmun")->setText(QStringLiteral(" 100 "));
  QTest::keyClick(Find<QLineEdit>(any, "edtmun"), Qt::Key_Return);
  QCOMPARE(Results(any), EntryRows(QStringLiteral("100"), 20));
  QCOMPARE(Text(any, "RzLabel10"), QStringLiteral("智商志大，历尽艰难，焦心忧劳，进退两难"));
  QCOMPARE(Text(any, "RzLabel7"), QStringLiteral("输入号码是："));
  // Closing by its button destroys the dialog.
  QPointer<QDialog> guard = any;
  Find<QPushButton>(any, "RzBitBtn2")->click();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(guard.isNull());
  delete qq;
}

void DivinationDialogsTest::pastedTextsInTheNumberDialogs() {
  Owner owner;
  auto* d = new NumberDialog(&owner.widget, hehun::NumberKind::kQq);
  d->show();
  auto* edit = Find<QLineEdit>(d, "edtmun");
  edit->setText(QStringLiteral("5"));
  Find<QPushButton>(d, "RzBitBtn1")->click();
  const QStringList before = Results(d);
  edit->setText(QStringLiteral("12ab"));  // pasted, not typed
  Find<QPushButton>(d, "RzBitBtn1")->click();
  QCOMPARE(owner.fake.errors.size(), 1);
  QVERIFY(owner.fake.errors[0].contains(QStringLiteral("12ab")));
  QCOMPARE(Results(d), before);
  edit->setText(QStringLiteral("-5"));
  Find<QPushButton>(d, "RzBitBtn1")->click();
  QCOMPARE(owner.fake.infos, QStringList{FromUtf8(hehun::kNumber81Refusal)});
  QCOMPARE(Results(d), before);
  delete d;
}

void DivinationDialogsTest::mobileResults() {
  Owner owner;
  auto* d = new NumberDialog(&owner.widget, hehun::NumberKind::kMobile);
  d->show();
  auto* edit = Find<QLineEdit>(d, "edtmun");
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(owner.fake.infos, QStringList{QStringLiteral("请输入11位手机号码！")});
  QVERIFY(Text(d, "RzLabel11").isEmpty());

  QTest::keyClicks(edit, QStringLiteral("13812345678"));
  QTest::keyClick(edit, Qt::Key_Return);
  hehun::RefDb db;
  const hehun::Row row = db.First(hehun::Unguarded{}, hehun::RefFile::kBookFile,
                                  "SELECT title, jx, content FROM shouji WHERE num = '78'");
  QCOMPARE(Results(d), (QStringList{QStringLiteral("13812345678"), FromUtf8(row.Text("title")),
                                    FromUtf8(row.Text("jx")), FromUtf8(row.Text("content"))}));
  QVERIFY(!Text(d, "RzLabel8").isEmpty());

  // A multiple of 80 reads the row of 80.
  const hehun::Row eighty = db.First(hehun::Unguarded{}, hehun::RefFile::kBookFile,
                                     "SELECT title, jx, content FROM shouji WHERE num = '80'");
  for (const char* n : {"13800008000", "13800000000"}) {
    edit->setText(QString::fromLatin1(n));
    Find<QPushButton>(d, "RzBitBtn1")->click();
    QCOMPARE(Results(d), (QStringList{QString::fromLatin1(n), FromUtf8(eighty.Text("title")),
                                      FromUtf8(eighty.Text("jx")), FromUtf8(eighty.Text("content"))}));
  }
  // Anything but 11 digits is refused and leaves the results as they were.
  for (const char* n : {"12345", "1380000123"}) {
    edit->setText(QString::fromLatin1(n));
    Find<QPushButton>(d, "RzBitBtn1")->click();
    QCOMPARE(owner.fake.infos.last(), QStringLiteral("请输入11位手机号码！"));
    QCOMPARE(Text(d, "RzLabel11"), QStringLiteral("13800000000"));
  }
  QCOMPARE(Text(d, "RzLabel7"), QStringLiteral("手机号码是："));
  QCOMPARE(Text(d, "RzLabel2"), QStringLiteral("请注意：手机号码是11位，请正确输入。"));
  QVERIFY(Text(d, "RzLabel3").startsWith(QStringLiteral("注：有些人会问")));
  QCOMPARE(owner.fake.infos.size(), 3);
  QVERIFY(owner.fake.errors.isEmpty());
  delete d;
}

void DivinationDialogsTest::mobileFailureIsSilent() {
  Owner owner;
  auto* d = new NumberDialog(&owner.widget, hehun::NumberKind::kMobile);
  d->show();
  auto* edit = Find<QLineEdit>(d, "edtmun");
  edit->setText(QStringLiteral("13800008000"));
  QTest::keyClick(edit, Qt::Key_Return);
  const QStringList before = Results(d);
  QTemporaryDir empty;
  hehun::SetDataDirOverride(empty.path().toStdString());
  edit->setText(QStringLiteral("13812345678"));
  QTest::keyClick(edit, Qt::Key_Return);
  hehun::SetDataDirOverride({});
  QCOMPARE(Results(d), before);
  QVERIFY(owner.fake.infos.isEmpty() && owner.fake.errors.isEmpty());
  delete d;
}

void DivinationDialogsTest::mobileCalculatesANumberPresentAtShowing() {
  Owner owner;
  auto* d = new NumberDialog(&owner.widget, hehun::NumberKind::kMobile);
  Find<QLineEdit>(d, "edtmun")->setText(QStringLiteral("13800000000"));
  QVERIFY(Text(d, "RzLabel10").isEmpty());
  d->show();
  QVERIFY(!Text(d, "RzLabel10").isEmpty());
  delete d;
}

void DivinationDialogsTest::nicknameDialog() {
  Owner owner;
  auto* d = new NicknameDialog(&owner.widget);
  d->show();
  auto* edit = Find<QLineEdit>(d, "edtmun");
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(owner.fake.infos, QStringList{QStringLiteral("请输入你的网名！")});
  QTest::keyClicks(edit, QStringLiteral("abc"));
  QCOMPARE(edit->text(), QStringLiteral("ABC"));  // typed letters in upper case
  QTest::keyClick(edit, Qt::Key_Return);
  QCOMPARE(Text(d, "RzLabel11"), QStringLiteral("你的网名：ABC"));
  QCOMPARE(Text(d, "RzLabel8"), QStringLiteral("你的性格：可爱，较明显的自恋"));
  const std::pair<QString, QString> cases[] = {
      {QStringLiteral(" 张三 "), QStringLiteral("你的性格：心胸宽大，有深藏不露的自恋")},
      {QStringLiteral("小猫★"), QStringLiteral("你的性格：")},
      {QStringLiteral("王!"), QStringLiteral("你的性格：比较糊涂，容易感情用事")},
  };
  for (const auto& [name, trait] : cases) {
    edit->setText(name);
    Find<QPushButton>(d, "RzBitBtn1")->click();
    QCOMPARE(Text(d, "RzLabel11"), QStringLiteral("你的网名：") + name.trimmed());
    QCOMPARE(Text(d, "RzLabel8"), trait);
  }
  QCOMPARE(edit->maxLength(), 18);
  QCOMPARE(owner.fake.infos.size(), 1);
  QCOMPARE(TextColour(d, "RzLabel8"), QColor(0x00, 0x00, 0x80));  // navy
  const QColor name = TextColour(d, "RzLabel11");
  QVERIFY(name.green() > 100 && name.red() < 60 && name.blue() < 60);  // green
  delete d;
}

void DivinationDialogsTest::omenWindowsOnePerPress() {
  FakeServices fake;
  MainWindow w(&fake, QDate(2024, 3, 5));
  w.show();
  const std::pair<const char*, const char*> buttons[] = {
      {"RzToolButton25", "打喷嚏占卜吉凶"}, {"RzToolButton26", "面热测吉凶"}, {"RzToolButton27", "心惊测吉凶"},
      {"RzToolButton28", "犬吠测吉凶"},     {"RzToolButton29", "眼跳测吉凶"}, {"RzToolButton30", "耳热测吉凶"},
      {"RzToolButton24", "耳鸣测吉凶"}};
  QList<QPointer<OmenWindow>> windows;
  for (const auto& [button, title] : buttons) {
    w.findChild<QToolButton*>(QString::fromLatin1(button))->click();
    QVERIFY(CurrentOmenWindow());
    QVERIFY(!windows.contains(CurrentOmenWindow()));
    windows << CurrentOmenWindow();
    QCOMPARE(windows.last()->windowTitle(), QString::fromUtf8(title));
    QCOMPARE(Find<QLabel>(windows.last(), "LabelTitle")->text(), QString::fromUtf8(title));
  }
  // All seven open at once, each on its own page, no tabs to switch by.
  for (int page = 0; page < 7; ++page) {
    OmenWindow* o = windows[page];
    QVERIFY(o->isVisible());
    QVERIFY(!o->isModal());
    QCOMPARE(o->pages()->currentIndex(), page);
    QVERIFY(o->findChildren<QTabBar*>().isEmpty());
    auto* memo = o->pages()->currentWidget()->findChild<QPlainTextEdit*>();
    QVERIFY(memo->isVisible() && memo->isReadOnly());
    // Keys that switch the pages of a tabbed control do nothing here.
    for (auto key : {Qt::Key_Tab, Qt::Key_PageDown, Qt::Key_PageUp})
      QTest::keyClick(memo, key, Qt::ControlModifier);
    QCOMPARE(o->pages()->currentIndex(), page);
    QCOMPARE(memo->toPlainText(), FromUtf8(hehun::OmenPageText(page)));
    QVERIFY(Find<QLabel>(o, "Label1")->text().startsWith(QStringLiteral("说明：\n   子时为23点-1点")));
  }
  // Closing one destroys it and leaves the others open.
  windows[2]->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(windows[2].isNull());
  QVERIFY(windows[3] && windows[3]->isVisible());
  windows[6]->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  QVERIFY(CurrentOmenWindow().isNull());
  for (auto& o : windows) delete o.data();
}

void DivinationDialogsTest::conceptionTableEditsAreLost() {
  FakeServices fake;
  MainWindow w(&fake, QDate(2024, 3, 5));
  w.show();
  QString original;
  OpenFromPage(w, "RzToolButton13", [&](QDialog* d) {
    auto* table = Find<QTextEdit>(d, "RzRichEdit1");
    original = table->toPlainText();
    QVERIFY(!table->isReadOnly());
    table->moveCursor(QTextCursor::End);
    table->insertPlainText(QStringLiteral("\n我的记录"));
    QVERIFY(table->toPlainText().endsWith(QStringLiteral("我的记录")));
    QVERIFY(Text(d, "RzLabel1").startsWith(QStringLiteral("说明：此表年龄为母亲虚岁年龄")));
    QCOMPARE(Text(d, "LabelNotice"),
             QStringLiteral("民间传说，仅供娱乐；非医学需要的胎儿性别鉴定和选择性别的人工终止妊娠是违法的。"));
  });
  QCOMPARE(original.split(QLatin1Char('\n')).size(), 29);
  QVERIFY(original.startsWith(QStringLiteral("年龄   1月    2月   3月")));
  OpenFromPage(w, "RzToolButton13", [&](QDialog* d) {
    QCOMPARE(Find<QTextEdit>(d, "RzRichEdit1")->toPlainText(), original);
  });
}

// The omen windows and 生男生女: a 关闭 button and Esc close them, and they
// open centred on the main window.
void DivinationDialogsTest::toolWindowsCloseByButtonAndEscapeCentredOnTheMainWindow() {
  FakeServices fake;
  MainWindow w(&fake, QDate(2024, 3, 5));
  w.move(40, 30);
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  const QPoint centre = w.frameGeometry().center();
  for (const bool escape : {false, true}) {
    w.findChild<QToolButton*>(QStringLiteral("RzToolButton25"))->click();
    QPointer<OmenWindow> omen = CurrentOmenWindow();
    QVERIFY(omen);
    QVERIFY(QTest::qWaitForWindowExposed(omen));
    QVERIFY((omen->frameGeometry().center() - centre).manhattanLength() <= 40);
    omen->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(omen));
    if (escape)
      QTest::keyClick(omen, Qt::Key_Escape);
    else
      Find<QPushButton>(omen, "ButtonClose")->click();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(omen.isNull());
  }
  for (const bool escape : {false, true}) {
    bool wasCentred = false, closed = false;
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      wasCentred = (d->frameGeometry().center() - centre).manhattanLength() <= 40;
      if (escape)
        QTest::keyClick(d, Qt::Key_Escape);
      else
        Find<QPushButton>(d, "ButtonClose")->click();
      closed = d->isHidden();
      if (!closed) d->close();
    });
    w.findChild<QToolButton*>(QStringLiteral("RzToolButton13"))->click();
    QVERIFY(wasCentred);
    QVERIFY(closed);
  }
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle());
  ApplyAppearance(app);
  DivinationDialogsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "divination_dialogs_test.moc"
