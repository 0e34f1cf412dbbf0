// The windows in damaged installations and under hostile input: every page
// and dialog either shows its result, keeps what it showed before, or shows
// a clear message, as its feature prescribes; nothing crashes; and no window
// ever changes the reference databases. The closing sequence and the
// calendar viewer's extreme dates are in hardening_closing_test.cpp.
#include <sqlite3.h>

#include <QApplication>
#include <QComboBox>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>
#include <functional>
#include <map>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/calendar_viewer.h"
#include "app/main_window.h"
#include "app/match_dialog.h"
#include "app/nickname_dialog.h"
#include "app/number_dialog.h"
#include "app/ui_services.h"
#include "hardening_fixture.h"
#include "refdb/refdb.h"

using namespace hehun::ui;

namespace {

// One feature of the windows: `run` performs it with input 0 or 1 and
// returns what the user then sees.
struct Feature {
  const char* name;
  std::function<QString(MainWindow&, int)> run;
};

template <class D>
D* DialogOf(MainWindow& w, const std::function<D*()>& make) {
  D* d = w.findChild<D*>();
  if (d == nullptr) {
    d = make();
    d->show();
  }
  return d;
}

const std::vector<Feature>& Features() {
  static const std::vector<Feature> features = {
      {"marriage",
       [](MainWindow& w, int v) {
         SetText(w, "Xing", v ? QStringLiteral("王强") : QStringLiteral("张明"));
         SetText(w, "SYear", "1990"), SetText(w, "SMonth", "6"), SetText(w, "Sday", "15");
         SetText(w, "Shour", QStringLiteral("午 11")), SetText(w, "CBFen", "30");
         SetText(w, "Xing3", QStringLiteral("李芳"));
         SetIndex(w, "ComDate3", 1);
         SetText(w, "SYear3", "1992"), SetText(w, "SMonth3", "3"), SetText(w, "Sday3", "8");
         SetText(w, "Shour3", QStringLiteral("卯 6")), SetText(w, "CBFen3", "5");
         Click(w, "RzBitBtn2");
         return Memo(w, "MemoSuccess");
       }},
      {"personal",
       [](MainWindow& w, int v) {
         // The page button clears the result: pressed only to change the mode.
         if (Find<QPushButton>(w, QStringLiteral("RzButton2"))->text() != QStringLiteral("八字分析")) Click(w, "RzToolButton1");
         SetText(w, "Xing2", v ? QStringLiteral("陈静") : QStringLiteral("张明"));
         SetText(w, "SYear2", "1988"), SetText(w, "SMonth2", "4"), SetText(w, "Sday2", "21");
         SetText(w, "Shour2", QStringLiteral("辰 8"));
         Click(w, "RzButton2");
         return Memo(w, "Memo1");
       }},
      {"star sign",
       [](MainWindow& w, int v) {
         if (Find<QPushButton>(w, QStringLiteral("RzButton2"))->text() == QStringLiteral("八字分析")) Click(w, "RzToolButton3");
         SetText(w, "Xing2", QStringLiteral("李芳"));
         SetText(w, "SYear2", "1992"), SetText(w, "SMonth2", v ? "8" : "3"), SetText(w, "Sday2", "8");
         Click(w, "RzButton2");
         return Memo(w, "Memo1");
       }},
      {"almanac",
       [](MainWindow& w, int v) {
         SetText(w, "SlYear", "2024"), SetText(w, "SlMonth", v ? "05" : "03"), SetText(w, "Slday", "01");
         Click(w, "BtnHuangli");
         return Find<QLabel>(w, QStringLiteral("Label61"))->text() + "\n" + Memo(w, "MemoHuangli");
       }},
      {"wedding days",
       [](MainWindow& w, int v) {
         SetText(w, "xing11", QStringLiteral("张明"));
         SetText(w, "Year1", "1990"), SetText(w, "Month1", "5"), SetText(w, "Day1", "1");
         SetText(w, "xing22", QStringLiteral("李芳"));
         SetText(w, "Year2", "1992"), SetText(w, "Month2", "10"), SetText(w, "Day2", "12");
         SetText(w, "SYear22", v ? QStringLiteral("三月以内") : QStringLiteral("一月以内"));
         Click(w, "RzBitBtn32");
         return Memo(w, "Memo2");
       }},
      {"encyclopedia",
       [](MainWindow& w, int v) {
         Click(w, v ? "RzBitBtn9" : "RzBitBtn6");
         return Memo(w, "MemoBk");
       }},
      {"mobile number",
       [](MainWindow& w, int v) {
         auto* d = DialogOf<NumberDialog>(w, [&] { return new NumberDialog(&w, hehun::NumberKind::kMobile); });
         Find<QLineEdit>(*d, QStringLiteral("edtmun"))->setText(v ? QStringLiteral("13912345601") : QStringLiteral("13812345678"));
         Click(*d, "RzBitBtn1");
         QStringList rows;
         for (const char* label : {"RzLabel11", "RzLabel10", "RzLabel9", "RzLabel8"})
           rows << Find<QLabel>(*d, QString::fromLatin1(label))->text();
         return rows.join(QLatin1Char('\n'));
       }},
      {"qq number",
       [](MainWindow& w, int v) {
         auto* d = DialogOf<NumberDialog>(w, [&] { return new NumberDialog(&w, hehun::NumberKind::kQq); });
         Find<QLineEdit>(*d, QStringLiteral("edtmun"))->setText(v ? QStringLiteral("123456") : QStringLiteral("88"));
         Click(*d, "RzBitBtn1");
         return Find<QLabel>(*d, QStringLiteral("RzLabel9"))->text() + "\n" +
                Find<QLabel>(*d, QStringLiteral("RzLabel8"))->text();
       }},
      {"nickname",
       [](MainWindow& w, int v) {
         auto* d = DialogOf<NicknameDialog>(w, [&] { return new NicknameDialog(&w); });
         Find<QLineEdit>(*d, QStringLiteral("edtmun"))->setText(v ? QStringLiteral("张三") : QStringLiteral("ABC"));
         Click(*d, "RzBitBtn1");
         return Find<QLabel>(*d, QStringLiteral("RzLabel8"))->text();
       }},
      {"zodiac matching",
       [](MainWindow& w, int v) {
         auto* d = DialogOf<MatchDialog>(w, [&] { return new MatchDialog(&w, MatchKind::kZodiac); });
         d->WomanList()->setCurrentIndex(1);
         d->ManList()->setCurrentIndex(v ? 6 : 0);
         return Find<QTextBrowser>(*d, QStringLiteral("MemoResult"))->toPlainText();
       }},
      {"calendar viewer",
       [](MainWindow& w, int v) {
         auto* d = DialogOf<CalendarViewer>(w, [&] { return new CalendarViewer(&w, kToday); });
         Find<QSpinBox>(*d, QStringLiteral("UpDown2"))->setValue(v ? 4 : 3);
         QString cells;
         for (int i = 1; auto* cell = d->findChild<QLabel*>(QStringLiteral("DayLunar%1").arg(i)); ++i)
           cells += cell->text() + QLatin1Char('|');
         return cells + Find<QLabel>(*d, QStringLiteral("Label22"))->text();
       }},
  };
  return features;
}

// What a feature shows after its second run (input 1) in the damaged
// installation, compared with the first (input 0) and with input 1 in a
// sound one.
enum Shown {
  kSame,     // the sound result of input 1
  kGaps,     // as many lines as the sound result, some parts empty
  kKept,     // what the first run showed (a marriage report that stops leaves no half)
  kEmpty,    // nothing
  kInline,   // the dialog's own result area names the problem
};

struct Expect {
  Shown shown = kSame;
  QString message;  // the error box's text holds it; empty: no box at all
};

}  // namespace

Q_DECLARE_METATYPE(Expect)

class HardeningTest : public QObject {
  Q_OBJECT

 private slots:
  void damagedInstallation_data();
  void damagedInstallation();
  void hostileInput_data();
  void hostileInput();
  void windowsNeverWriteTheDatabases();
};

void HardeningTest::damagedInstallation_data() {
  QTest::addColumn<QString>("damage");
  QTest::addColumn<QString>("feature");
  QTest::addColumn<Expect>("expect");
  const QString missing = QStringLiteral("找不到数据库文件“");
  const QString broken = QStringLiteral("已损坏，或不是本软件的数据库文件");
  struct Row {
    const char* damage;
    std::map<QString, Expect> differing;  // features not named show their sound result
  };
  const auto bookFile = [](const QString& message) {
    return std::map<QString, Expect>{{"marriage", {kKept, {}}},        {"personal", {kKept, {}}},
                                     {"star sign", {kKept, {}}},       {"almanac", {kKept, message}},
                                     {"wedding days", {kKept, message}}, {"encyclopedia", {kEmpty, {}}},
                                     {"mobile number", {kKept, {}}},   {"zodiac matching", {kInline, message}}};
  };
  const auto tgcode = [](const QString& message) {
    return std::map<QString, Expect>{{"marriage", {kKept, message}}, {"personal", {kGaps, {}}}};
  };
  const auto shensha = [](const QString& file) {
    // "无法打开神煞规则文件“…/shensha/FILE”，请重新安装本软件。"
    const QString message = QStringLiteral("shensha/") + file + QStringLiteral("”，请重新安装本软件。");
    return std::map<QString, Expect>{{"marriage", {kKept, message}}, {"personal", {kKept, message}}};
  };
  const Row rows[] = {
      {"BookFile.dll missing", bookFile(missing)},
      {"BookFile.dll garbage", bookFile(broken)},
      {"BookFile.dll empty", bookFile(broken)},
      {"BookFile.dll without huangdao",
       {{"almanac", {kKept, QStringLiteral("缺少数据表“huangdao”")}},
        {"wedding days", {kKept, QStringLiteral("缺少数据表“huangdao”")}}}},
      {"BookFile.dll without Noter", {{"encyclopedia", {kEmpty, {}}}}},
      {"BookFile.dll without chenggu", {{"marriage", {kKept, {}}}, {"personal", {kKept, {}}}}},
      {"Tgcode.dll missing", tgcode(missing)},
      {"Tgcode.dll garbage", tgcode(broken)},
      {"Tgcode.dll without shengxiao", {{"marriage", {kKept, QStringLiteral("缺少数据表“shengxiao”")}}}},
      {"shensha missing", shensha("niangan.txt")},
      {"shensha/rizhi.txt missing", shensha("rizhi.txt")},
      {"shensha/rizhi.txt empty", {{"marriage", {kGaps, {}}}, {"personal", {kGaps, {}}}}},
  };
  for (const Row& row : rows)
    for (const Feature& f : Features()) {
      const auto it = row.differing.find(QString::fromLatin1(f.name));
      QTest::addRow("%s / %s", row.damage, f.name)
          << QString::fromLatin1(row.damage) << QString::fromLatin1(f.name)
          << (it == row.differing.end() ? Expect{} : it->second);
    }
}

void HardeningTest::damagedInstallation() {
  QFETCH(QString, damage);
  QFETCH(QString, feature);
  QFETCH(Expect, expect);
  const Feature* f = nullptr;
  for (const Feature& each : Features())
    if (QString::fromLatin1(each.name) == feature) f = &each;
  QVERIFY(f != nullptr);

  // Input 1 in a sound installation, for comparison.
  QString sound;
  {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    sound = f->run(w, 1);
    QVERIFY2(fake.errors.isEmpty() && fake.infos.isEmpty(), qPrintable((fake.errors + fake.infos).join('\n')));
  }
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  const QString first = f->run(w, 0);
  QVERIFY(first != sound);
  DataCopy copy;
  copy.Damage(damage);
  DataDir pointed(copy.dir.path());
  const QString shown = f->run(w, 1);

  QVERIFY2(fake.infos.isEmpty() && fake.notices.isEmpty(), qPrintable((fake.infos + fake.notices).join('\n')));
  if (expect.message.isEmpty() || expect.shown == kInline) {
    QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join('\n')));
  } else {
    QCOMPARE(fake.errors.size(), 1);
    QVERIFY2(fake.errors[0].contains(expect.message), qPrintable(fake.errors[0]));
    QVERIFY2(fake.errors[0].contains(QStringLiteral("请重新安装本软件")), qPrintable(fake.errors[0]));
    if (expect.message.startsWith(QLatin1String("shensha/")))
      QVERIFY(fake.errors[0].startsWith(QStringLiteral("无法打开神煞规则文件“")));
  }
  const QStringList lines = shown.split(QLatin1Char('\n')), soundLines = sound.split(QLatin1Char('\n'));
  switch (expect.shown) {
    case kSame:
      QCOMPARE(shown, sound);
      break;
    case kGaps:
      QVERIFY(shown != first);
      QCOMPARE(lines.size(), soundLines.size());
      break;
    case kKept:
      QCOMPARE(shown, first);
      break;
    case kEmpty:
      QCOMPARE(shown, QString());
      break;
    case kInline:
      QVERIFY2(shown.startsWith(QStringLiteral("无法读取配对解读：")) && shown.contains(expect.message),
               qPrintable(shown));
      break;
  }
}

// ---------------------------------------------------------------------------
// Hostile input

void HardeningTest::hostileInput_data() {
  QTest::addColumn<QString>("feature");
  QTest::addColumn<QStringList>("controls");  // name=text pairs set after the feature's own input 0
  QTest::addColumn<QString>("message");       // the box's text (info or error); empty: none
  QTest::addColumn<bool>("kept");             // what was shown before stays

  const auto row = [](const char* tag, const char* feature, const QStringList& controls, const QString& message,
                      bool kept = true) {
    QTest::newRow(tag) << QString::fromLatin1(feature) << controls << message << kept;
  };
  // The marriage report: the man's row is read before the area is cleared.
  row("marriage, 30 February", "marriage", {"SMonth=2", "Sday=30"},
      QStringLiteral("男方的出生日期“1990-2-30”不是有效的日期，请重新输入。"));
  row("marriage, year of letters", "marriage", {"SYear=abcd"},
      QStringLiteral("男方的出生日期“abcd-6-15”不是有效的日期，请重新输入。"));
  row("marriage, year 99999", "marriage", {"SYear=99999"},
      QStringLiteral("男方的出生日期“99999-6-15”不是有效的日期，请重新输入。"));
  row("marriage, year 1899", "marriage", {"SYear=1899"},
      QStringLiteral("男方的出生日期1899-06-15超出可计算的范围（1900年1月31日至2100年12月31日），请重新输入。"));
  row("marriage, negative year", "marriage", {"SYear=-1990"},
      QStringLiteral("男方的出生日期“-1990-6-15”不是有效的日期，请重新输入。"));
  row("marriage, pasted very long year", "marriage", {"SYear=" + QString(3000, QLatin1Char('7'))},
      QStringLiteral("男方的出生日期“777777777777777777777777…”不是有效的日期，请重新输入。"));
  row("marriage, typed hour 25", "marriage", {"Shour=25"}, QStringLiteral("男方的出生时辰“25”无法识别，请从列表中选择。"));
  row("marriage, minute of letters", "marriage", {"CBFen=ab"},
      QStringLiteral("男方的出生分钟“ab”不是有效的数字，请重新输入。"));
  row("marriage, lunar 2100", "marriage", {"ComDate=1", "SYear=2100", "SMonth=1", "Sday=1"},
      QStringLiteral("男方的农历出生日期2100年1月1日不存在，或不在可计算的1901年至2099年之内，请重新输入。"));
  row("marriage, lunar day 30 of a short month", "marriage", {"ComDate=1", "SYear=2024", "SMonth=1", "Sday=30"},
      QStringLiteral("男方的农历出生日期2024年1月30日不存在"));
  // The woman's row is read after the man's half is written; the half is not
  // left on the screen.
  row("marriage, woman's 31 April", "marriage", {"SMonth3=4", "Sday3=31", "ComDate3=0"},
      QStringLiteral("女方的出生日期“1992-4-31”不是有效的日期，请重新输入。"));
  row("marriage, names GBK cannot hold", "marriage", {QStringLiteral("Xing=😀张明ㄅ"), QStringLiteral("Xing3=𠀀芳")},
      QString(), false);
  // The personal report keeps its text.
  row("personal, 29 February 2001", "personal", {"SYear2=2001", "SMonth2=2", "Sday2=29"},
      QStringLiteral("出生日期“2001-2-29”不是有效的日期，请重新输入。"));
  row("personal, lunar 1900", "personal", {"ComDate2=1", "SYear2=1900"},
      QStringLiteral("农历出生日期1900年4月21日不存在"));
  row("personal, minute 75", "personal", {"CBFen2=75"}, QStringLiteral("出生分钟“75”应在0到59之间。"));
  row("personal, very long name", "personal", {QStringLiteral("Xing2=") + QString(500, QChar(0x5F20))}, QString(),
      false);
  // The almanac refuses what is not a date and keeps its result.
  row("almanac, 30 February", "almanac", {"SlMonth=02", "Slday=30"}, QStringLiteral("请选择有效的日期!"));
  row("almanac, letters", "almanac", {"SlYear=abcd"}, QStringLiteral("请选择有效的日期!"));
  row("almanac, year 99999", "almanac", {"SlYear=99999"}, QStringLiteral("请选择有效的日期!"));
  row("almanac, negative year", "almanac", {"SlYear=-1"}, QStringLiteral("请选择有效的日期!"));
  row("almanac, year 1800 (outside the table)", "almanac", {"SlYear=1800"},
      QStringLiteral("黄历数据收录1901年至2100年"));
  // The wedding-day search.
  row("wedding days, year of letters", "wedding days", {"Year1=abc"},
      QStringLiteral("男方的出生日期“abc-5-1”不是有效的日期，请重新输入。"));
  row("wedding days, lunar 2100", "wedding days", {"CBdate22=1", "Year2=2100"},
      QStringLiteral("女方的农历出生日期2100年10月12日不存在"));
  // Number dialogs: pasted text is not filtered.
  row("mobile, pasted letters", "mobile number", {"edtmun=138abcdefgh"}, QStringLiteral("请输入11位手机号码！"));
  row("mobile, pasted 30 digits", "mobile number", {"edtmun=" + QString(30, QLatin1Char('9'))}, QString(), false);
  row("any number, pasted letters", "any number", {"edtmun=12a3"}, QStringLiteral("“12a3”不是有效的整数"));
  row("any number, pasted full-width digits", "any number", {QStringLiteral("edtmun=１２３")},
      QStringLiteral("“１２３”不是有效的整数"));
  row("any number, pasted 30 digits", "any number", {"edtmun=" + QString(30, QLatin1Char('9'))}, QString(), false);
  row("QQ number, pasted negative", "qq number", {"edtmun=-88"}, QStringLiteral("八十一数从1数起，请输入大于0的号码！"));
  // The nickname dialog.
  row("nickname GBK cannot hold", "nickname", {QStringLiteral("edtmun=张😀")}, QString(), false);
  row("nickname, pasted very long", "nickname", {"edtmun=" + QString(500, QChar(0x4E09))}, QString(), false);
}

void HardeningTest::hostileInput() {
  QFETCH(QString, feature);
  QFETCH(QStringList, controls);
  QFETCH(QString, message);
  QFETCH(bool, kept);
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();

  // The dialogs not in the feature table run here.
  std::function<QString(int)> run;
  QWidget* host = &w;
  for (const Feature& f : Features())
    if (QString::fromLatin1(f.name) == feature) run = [&w, &f](int v) { return f.run(w, v); };
  QDialog* dialog = nullptr;
  if (feature == QLatin1String("any number") || feature == QLatin1String("qq number") ||
      feature == QLatin1String("nickname")) {
    if (feature == QLatin1String("any number")) dialog = new NumberDialog(&w, hehun::NumberKind::kAny);
    if (feature == QLatin1String("qq number")) dialog = new NumberDialog(&w, hehun::NumberKind::kQq);
    if (feature == QLatin1String("nickname")) dialog = new NicknameDialog(&w);
    dialog->show();
    host = dialog;
    run = [dialog](int) {
      Find<QLineEdit>(*dialog, QStringLiteral("edtmun"))->setText(QStringLiteral("88"));
      Click(*dialog, "RzBitBtn1");
      return QString();
    };
  }
  if (feature == QLatin1String("mobile number")) {
    run(0);
    host = w.findChild<NumberDialog*>(QStringLiteral("TFrm_SJcs"));
  }
  QVERIFY(run);
  // What a dialog shows: the texts of all its labels.
  const auto labels = [&] {
    QString text;
    for (auto* label : host->findChildren<QLabel*>()) text += label->text() + QLatin1Char('\n');
    return text;
  };
  QString before = run(0);
  if (host != &w) before = labels();
  QVERIFY2(fake.errors.isEmpty() && fake.infos.isEmpty(), qPrintable((fake.errors + fake.infos).join('\n')));

  for (const QString& c : controls) {
    const QString name = c.section(QLatin1Char('='), 0, 0), value = c.section(QLatin1Char('='), 1);
    if (auto* combo = host->findChild<QComboBox*>(name); combo && !combo->isEditable())
      combo->setCurrentIndex(value.toInt());
    else
      SetText(*host, name.toLatin1().constData(), value);
  }
  QString after;
  if (host == &w) {
    // Press the feature's button again with the changed controls, without
    // its own input overwriting them.
    const QString f = feature;
    if (f == QLatin1String("marriage")) Click(w, "RzBitBtn2"), after = Memo(w, "MemoSuccess");
    if (f == QLatin1String("personal")) Click(w, "RzButton2"), after = Memo(w, "Memo1");
    if (f == QLatin1String("almanac"))
      Click(w, "BtnHuangli"), after = Find<QLabel>(w, QStringLiteral("Label61"))->text() + "\n" + Memo(w, "MemoHuangli");
    if (f == QLatin1String("wedding days")) Click(w, "RzBitBtn32"), after = Memo(w, "Memo2");
  } else {
    Click(*host, "RzBitBtn1");
    after = labels();
  }
  const QStringList boxes = fake.errors + fake.infos;
  if (message.isEmpty()) {
    QVERIFY2(boxes.isEmpty(), qPrintable(boxes.join('\n')));
    QVERIFY(!after.isEmpty());
  } else {
    QCOMPARE(boxes.size(), 1);
    QVERIFY2(boxes[0].startsWith(message), qPrintable(boxes[0]));
  }
  if (kept)
    QCOMPARE(after, before);
  else
    QVERIFY(after != before);
  delete dialog;
}

// ---------------------------------------------------------------------------

void HardeningTest::windowsNeverWriteTheDatabases() {
  DataCopy copy;
  const auto before = copy.Fingerprint();
  QVERIFY(before.size() >= 10);
  {
    DataDir pointed(copy.dir.path());
    FakeServices fake;
    MainWindow w(&fake, kToday);
    w.show();
    for (const Feature& f : Features())
      for (int v : {0, 1}) QVERIFY2(!f.run(w, v).isEmpty(), f.name);
    QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join('\n')));
  }
  QVERIFY(copy.Fingerprint() == before);
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  HardeningTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "hardening_test.moc"
