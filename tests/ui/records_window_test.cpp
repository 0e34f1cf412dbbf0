// The archive in the window, on Qt's offscreen platform and always on an
// archive file of its own in a temporary folder (never the user's): the
// 档案 buttons of the panels, the records window, and a damaged file.
// With HEHUN_SHOTS set to a folder, the records window and the picker are
// saved there as pictures.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>

#include "app/appearance.h"
#include "app/main_window.h"
#include "app/records/people_model.h"
#include "app/records/person_picker.h"
#include "app/records/records_store.h"
#include "app/records/records_window.h"
#include "app/ui_services.h"
#include "records/archive.h"

using hehun::ui::MainWindow;
using hehun::records::Archive;
using hehun::records::Person;

#include "main_window_fixture.h"

namespace {

// Answers the questions in turn (否 when none is left) and keeps them.
class AskingServices : public FakeServices {
 public:
  bool Ask(QWidget*, const QString& text) override {
    questions << text;
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  QStringList questions;
  std::deque<bool> answers;
};

std::filesystem::path FsPath(const QString& path) { return std::filesystem::path(path.toStdString()); }

Person MakePerson(const char* name, const char* sex, hehun::Ymd date, int hour, int minute, bool lunar = false,
                  bool leap = false) {
  Person p;
  p.name = name;
  p.sex = sex;
  p.birthDate = date;
  p.hour = hour;
  p.minute = minute;
  p.lunar = lunar;
  p.leapMonth = leap;
  return p;
}

// Runs `inDialog` on the picker once it is open (it runs modal).
void WhenPickerOpens(std::function<void(hehun::ui::PersonPicker*)> inDialog) {
  QTimer::singleShot(0, [inDialog] {
    auto* picker = qobject_cast<hehun::ui::PersonPicker*>(QApplication::activeModalWidget());
    if (picker == nullptr) qFatal("the picker did not open");
    inDialog(picker);
    if (picker->isVisible()) picker->reject();  // a failed check inside leaves it open
  });
}

QAction* Action(QWidget& w, const char* name) {
  auto* action = w.findChild<QAction*>(QString::fromLatin1(name));
  if (action == nullptr) qFatal("no action %s", name);
  return action;
}

}  // namespace

class RecordsWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void pickerSearchFillsPanel();
  void pickerRefusesTheOtherSex();
  void leapMonthFillsTheLeapMonthOfTheList();
  void saveThenFind();
  void savingTheSamePersonAsks();
  void deleteAsks();
  void notesAndTagsAreSaved();
  void openCoupleRunsMarriageReport();
  void peopleAreReadByPages();
  void importWithBadRowListsThemAndOffersSkipping();
  void exportWritesEveryone();
  void damagedFileIsKeptWhenRefused();
  void damagedFileMovedAsideWhenAgreed();
  void screenshots();

 private:
  QString ArchivePath() const { return dir_->filePath(QStringLiteral("records.db")); }
  std::unique_ptr<QTemporaryDir> dir_;
};

void RecordsWindowTest::init() { dir_ = std::make_unique<QTemporaryDir>(); }

void RecordsWindowTest::pickerSearchFillsPanel() {
  {
    Archive archive(FsPath(ArchivePath()));
    archive.AddPerson(MakePerson("王强", "男", {1985, 2, 3}, 7, 10));
    Person chen = MakePerson("陈立", "男", {1991, 11, 20}, 21, 45);
    chen.tags = {"客户"};
    chen.blood = "AB";
    chen.place = "成都";
    archive.AddPerson(chen);
  }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  WhenPickerOpens([](hehun::ui::PersonPicker* picker) {
    auto* search = Find<QLineEdit>(*picker, "PickerSearch");
    search->insert(QStringLiteral("客户"));  // typed  // a tag
    QTest::qWait(250);
    QCOMPARE(Find<QTableView>(*picker, "PickerTable")->model()->rowCount(), 1);
    QVERIFY(Find<QLabel>(*picker, "PickerCount")->text().contains(QStringLiteral("找到 1 人")));
    QTest::keyClick(search, Qt::Key_Return);
  });
  Action(w, "ManRecordsPick")->trigger();
  QCOMPARE(Find<QLineEdit>(w, "Xing")->text(), QStringLiteral("陈立"));
  QCOMPARE(Find<QComboBox>(w, "ComDate")->currentIndex(), 0);
  QCOMPARE(Find<QComboBox>(w, "SYear")->currentText(), QStringLiteral("1991"));
  QCOMPARE(Find<QComboBox>(w, "SMonth")->currentText(), QStringLiteral("11"));
  QCOMPARE(Find<QComboBox>(w, "Sday")->currentText(), QStringLiteral("20"));
  QCOMPARE(Find<QComboBox>(w, "Shour")->currentText(), QStringLiteral("亥 21"));
  QCOMPARE(Find<QComboBox>(w, "CBFen")->currentText(), QStringLiteral("45"));
  QCOMPARE(Find<QComboBox>(w, "ComboBoxDL")->currentText(), QStringLiteral("AB型"));
  QCOMPARE(Find<QLineEdit>(w, "EditPlaceMan")->text(), QStringLiteral("成都"));

  // The personal page takes sex and a lunar date as saved.
  {
    Archive archive(FsPath(ArchivePath()));
    archive.AddPerson(MakePerson("林月", "女", {1993, 4, 9}, 3, 0, true));
  }
  WhenPickerOpens([](hehun::ui::PersonPicker* picker) {
    Find<QLineEdit>(*picker, "PickerSearch")->insert(QStringLiteral("林"));  // typed
    Find<QPushButton>(*picker, "PickerChoose")->click();  // runs the search not yet run
  });
  Action(w, "PersonalRecordsPick")->trigger();
  QCOMPARE(Find<QLineEdit>(w, "Xing2")->text(), QStringLiteral("林月"));
  QCOMPARE(Find<QComboBox>(w, "CBsex2")->currentText(), QStringLiteral("女"));
  QCOMPARE(Find<QComboBox>(w, "ComDate2")->currentIndex(), 1);
  QCOMPARE(Find<QComboBox>(w, "SMonth2")->currentText(), QStringLiteral("4"));
  QCOMPARE(Find<QComboBox>(w, "Shour2")->currentText(), QStringLiteral("寅 3"));
  QVERIFY(fake.errors.isEmpty());
}

void RecordsWindowTest::pickerRefusesTheOtherSex() {
  { Archive(FsPath(ArchivePath())).AddPerson(MakePerson("赵敏", "女", {1990, 1, 1}, 0, 0)); }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  WhenPickerOpens([&fake](hehun::ui::PersonPicker* picker) {
    QTest::keyClick(Find<QLineEdit>(*picker, "PickerSearch"), Qt::Key_Return);
    QVERIFY(picker->isVisible());  // refused: the picker stays open
    QVERIFY(fake.infos.last().contains(QStringLiteral("女性")));
    QTest::keyClick(picker, Qt::Key_Escape);
  });
  Action(w, "ManRecordsPick")->trigger();
  QCOMPARE(Find<QLineEdit>(w, "Xing")->text(), QString());
}

void RecordsWindowTest::leapMonthFillsTheLeapMonthOfTheList() {
  // 农历2020年闰四月初一 (2020-05-23): the lunar month list offers 闰4.
  { Archive(FsPath(ArchivePath())).AddPerson(MakePerson("周闰", "女", {2020, 4, 1}, 12, 0, true, true)); }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  WhenPickerOpens([](hehun::ui::PersonPicker* picker) { picker->accept(); });
  Action(w, "WomanRecordsPick")->trigger();
  QCOMPARE(Find<QComboBox>(w, "ComDate3")->currentIndex(), 1);
  QCOMPARE(Find<QComboBox>(w, "SYear3")->currentText(), QStringLiteral("2020"));
  QCOMPARE(Find<QComboBox>(w, "SMonth3")->currentText(), QStringLiteral("闰4"));
  QCOMPARE(Find<QComboBox>(w, "Sday3")->currentText(), QStringLiteral("1"));
}

void RecordsWindowTest::saveThenFind() {
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  FillCouple(w);  // 李芳, 农历1992-03-08 卯 6:05
  Find<QComboBox>(w, "ComboBoxXX")->setCurrentText(QStringLiteral("O型"));
  Action(w, "WomanRecordsSave")->trigger();
  QVERIFY2(fake.infos.last().contains(QStringLiteral("已将“李芳”保存到档案")), qPrintable(fake.infos.join('|')));
  const auto found = Archive(FsPath(ArchivePath())).FindPeople({"李芳"});
  QCOMPARE(found.size(), size_t(1));
  QCOMPARE(found[0].sex, std::string("女"));
  QVERIFY(found[0].lunar);
  QCOMPARE(found[0].birthDate, (hehun::Ymd{1992, 3, 8}));
  QCOMPARE(found[0].hour, 6);
  QCOMPARE(found[0].minute, 5);
  QCOMPARE(found[0].blood, std::string("O"));

  // A panel the archive would refuse is not saved, and the reason is said.
  Find<QLineEdit>(w, "Xing")->clear();
  Action(w, "ManRecordsSave")->trigger();
  QVERIFY(fake.infos.last().contains(QStringLiteral("不能保存")));
  QCOMPARE(Archive(FsPath(ArchivePath())).CountPeople(), 1);
}

void RecordsWindowTest::savingTheSamePersonAsks() {
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  FillCouple(w);
  Action(w, "ManRecordsSave")->trigger();
  {
    Archive archive(FsPath(ArchivePath()));
    Person saved = archive.FindPeople({"张明"}).at(0);
    saved.note = "老客户";
    archive.UpdatePerson(saved);
  }
  Find<QComboBox>(w, "ComboBoxDL")->setCurrentText(QStringLiteral("B型"));
  fake.answers = {false};
  Action(w, "ManRecordsSave")->trigger();
  QCOMPARE(fake.questions.size(), 1);
  QVERIFY(fake.questions[0].contains(QStringLiteral("已有“张明”")));
  Archive check(FsPath(ArchivePath()));
  QCOMPARE(check.CountPeople(), 1);
  QCOMPARE(check.FindPeople({"张明"}).at(0).blood, std::string());

  fake.answers = {true};
  Action(w, "ManRecordsSave")->trigger();
  const Person updated = check.FindPeople({"张明"}).at(0);
  QCOMPARE(check.CountPeople(), 1);
  QCOMPARE(updated.blood, std::string("B"));
  QCOMPARE(updated.note, std::string("老客户"));  // kept
}

void RecordsWindowTest::deleteAsks() {
  {
    Archive archive(FsPath(ArchivePath()));
    archive.AddPerson(MakePerson("甲一", "男", {1980, 1, 1}, 1, 0));
    archive.AddPerson(MakePerson("乙二", "女", {1981, 1, 1}, 1, 0));
  }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  w.OpenRecordsWindow();
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  auto* table = Find<QTableView>(*records, "PeopleTable");
  QCOMPARE(table->model()->rowCount(), 2);
  table->setFocus();
  table->selectRow(0);
  fake.answers = {false};
  QTest::keyClick(table, Qt::Key_Delete);
  QCOMPARE(fake.questions.size(), 1);
  QVERIFY(fake.questions[0].contains(QStringLiteral("“甲一”")));
  QCOMPARE(table->model()->rowCount(), 2);
  fake.answers = {true};
  Click(*records, "DeletePersonButton");
  QCOMPARE(fake.questions.size(), 2);
  QCOMPARE(table->model()->rowCount(), 1);
  QCOMPARE(Archive(FsPath(ArchivePath())).CountPeople(), 1);
  QVERIFY(Find<QLabel>(*records, "RecordsCount")->text().contains(QStringLiteral("共 1 人")));
}

void RecordsWindowTest::notesAndTagsAreSaved() {
  { Archive(FsPath(ArchivePath())).AddPerson(MakePerson("孙三", "男", {1970, 6, 6}, 6, 6)); }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  w.OpenRecordsWindow();
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  Find<QLineEdit>(*records, "PersonTagsEdit")->setText(QStringLiteral("客户、上海"));
  Find<QPlainTextEdit>(*records, "PersonNoteEdit")->setPlainText(QStringLiteral("第一行\n第二行"));
  Click(*records, "SavePersonNoteButton");
  const Person p = Archive(FsPath(ArchivePath())).GetPerson(1);
  QCOMPARE(p.tags, (std::vector<std::string>{"客户", "上海"}));
  QCOMPARE(p.note, std::string("第一行\n第二行"));
  // Found by the new tag.
  Find<QLineEdit>(*records, "RecordsSearch")->insert(QStringLiteral("上海"));  // typed
  QTest::qWait(250);
  QCOMPARE(Find<QTableView>(*records, "PeopleTable")->model()->rowCount(), 1);
}

void RecordsWindowTest::openCoupleRunsMarriageReport() {
  int64_t coupleId = 0;
  {
    Archive archive(FsPath(ArchivePath()));
    const int64_t woman = archive.AddPerson(MakePerson("李芳", "女", {1992, 3, 8}, 6, 5, true));
    const int64_t man = archive.AddPerson(MakePerson("张明", "男", {1990, 6, 15}, 11, 30));
    coupleId = archive.SaveCouple(woman, man, "初次见面");
  }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  w.OpenRecordsWindow();
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  Find<QTabWidget>(*records, "RecordsTabs")->setCurrentIndex(1);
  auto* couples = Find<QTableView>(*records, "CouplesTable");
  QCOMPARE(couples->model()->rowCount(), 1);
  QCOMPARE(Find<QLineEdit>(*records, "CoupleNoteEdit")->text(), QStringLiteral("初次见面"));
  couples->setFocus();
  QTest::keyClick(couples, Qt::Key_Return);
  QCOMPARE(Find<QLineEdit>(w, "Xing")->text(), QStringLiteral("张明"));
  QCOMPARE(Find<QLineEdit>(w, "Xing3")->text(), QStringLiteral("李芳"));
  QCOMPARE(Find<QComboBox>(w, "ComDate3")->currentIndex(), 1);
  const QStringList report = Lines(Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText());
  QCOMPARE(report.first(), QString::fromUtf8(kManFirstLine));
  QVERIFY(report.contains(QString::fromUtf8(kClosingLine)));
  QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join('|')));
  QCOMPARE(Archive(FsPath(ArchivePath())).GetCouple(coupleId).lastMatched, std::string("2024-03-05"));
  QCOMPARE(couples->model()->index(0, 3).data().toString(), QStringLiteral("2024-03-05"));
}

void RecordsWindowTest::peopleAreReadByPages() {
  {
    Archive archive(FsPath(ArchivePath()));
    Archive::Batch batch(archive);
    for (int i = 0; i < 1000; ++i)
      batch.Add(MakePerson(i % 2 ? "钱多" : "吴少", i % 2 ? "男" : "女", {1950 + i % 60, 1 + i % 12, 1 + i % 28}, i % 24,
                           i % 60));
    batch.Commit();
  }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  w.OpenRecordsWindow();
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  auto* model = qobject_cast<hehun::ui::PeopleModel*>(Find<QTableView>(*records, "PeopleTable")->model());
  QCOMPARE(model->rowCount(), hehun::ui::PeopleModel::kPageSize);
  QCOMPARE(model->MatchingCount(), qint64(1000));
  QVERIFY(model->canFetchMore({}));
  while (model->canFetchMore({})) model->fetchMore({});
  QCOMPARE(model->rowCount(), 1000);
  QCOMPARE(model->PersonAt(999).id, int64_t(1000));
  model->SetSearch(QStringLiteral("钱多"));
  QCOMPARE(model->MatchingCount(), qint64(500));
  QCOMPARE(model->rowCount(), hehun::ui::PeopleModel::kPageSize);
}

void RecordsWindowTest::importWithBadRowListsThemAndOffersSkipping() {
  const QString csv = dir_->filePath(QStringLiteral("people.csv"));
  QFile file(csv);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("\xEF\xBB\xBFname,sex,calendar,date,time,leap,place,blood,note\r\n"
             "张三,男,公历,1990-05-01,08:30,0,,A,\r\n"
             "李四,女,公历,1990-02-30,09:00,0,,,\r\n"
             "王五,男,农历,1988-07-15,23:10,0,,,\"备注，含逗号\"\r\n");
  file.close();
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  w.OpenRecordsWindow();
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  fake.saveTo = csv;
  fake.answers = {false};
  Click(*records, "ImportCsvButton");
  QCOMPARE(fake.questions.size(), 1);
  QVERIFY2(fake.questions[0].contains(QStringLiteral("第3行")), qPrintable(fake.questions[0]));
  QVERIFY(fake.questions[0].contains(QStringLiteral("1990-02-30")));
  QCOMPARE(Archive(FsPath(ArchivePath())).CountPeople(), 0);  // all or nothing

  fake.answers = {true};
  Click(*records, "ImportCsvButton");
  QVERIFY(fake.infos.last().contains(QStringLiteral("已导入2人，跳过1行")));
  QCOMPARE(Archive(FsPath(ArchivePath())).CountPeople(), 2);
  QCOMPARE(Find<QTableView>(*records, "PeopleTable")->model()->rowCount(), 2);
}

void RecordsWindowTest::exportWritesEveryone() {
  { Archive(FsPath(ArchivePath())).AddPerson(MakePerson("郑和", "男", {1971, 7, 11}, 5, 5)); }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  w.OpenRecordsWindow();
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  fake.saveTo = dir_->filePath(QStringLiteral("out.csv"));
  Click(*records, "ExportCsvButton");
  QVERIFY(fake.infos.last().contains(QStringLiteral("已导出1人")));
  QFile out(fake.saveTo);
  QVERIFY(out.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(out.readAll());
  QVERIFY(text.contains(QStringLiteral("郑和,男,公历,1971-07-11,05:05")));
}

void RecordsWindowTest::damagedFileIsKeptWhenRefused() {
  const QByteArray garbage(8192, '\x5a');
  QFile bad(ArchivePath());
  QVERIFY(bad.open(QIODevice::WriteOnly));
  bad.write(garbage);
  bad.close();
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  fake.answers = {false};
  w.OpenRecordsWindow();
  QCOMPARE(fake.questions.size(), 1);
  QVERIFY(fake.questions[0].contains(QStringLiteral("已损坏")));
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  auto* status = Find<QLabel>(*records, "RecordsStatus");
  QVERIFY(status->text().contains(QStringLiteral("未作任何改动")));
  QVERIFY(!Find<QTableView>(*records, "PeopleTable")->isEnabled());
  // The panels go on without the archive and say why; the file is untouched.
  FillCouple(w);
  Action(w, "ManRecordsSave")->trigger();
  QCOMPARE(fake.questions.size(), 1);
  QVERIFY(fake.infos.last().contains(QStringLiteral("本次运行不使用档案")));
  QVERIFY(bad.open(QIODevice::ReadOnly));
  QCOMPARE(bad.readAll(), garbage);
  QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList{QStringLiteral("records.db")});
}

void RecordsWindowTest::damagedFileMovedAsideWhenAgreed() {
  const QByteArray garbage(8192, '\x5a');
  QFile bad(ArchivePath());
  QVERIFY(bad.open(QIODevice::WriteOnly));
  bad.write(garbage);
  bad.close();
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  fake.answers = {true};
  w.OpenRecordsWindow();
  QVERIFY(fake.infos.last().contains(QStringLiteral("已改名保存")));
  const QStringList aside = QDir(dir_->path()).entryList({QStringLiteral("records.db.damaged-*")}, QDir::Files);
  QCOMPARE(aside.size(), 1);
  QFile kept(dir_->filePath(aside[0]));
  QVERIFY(kept.open(QIODevice::ReadOnly));
  QCOMPARE(kept.readAll(), garbage);
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  QVERIFY(Find<QTableView>(*records, "PeopleTable")->isEnabled());
  QVERIFY(Find<QLabel>(*records, "RecordsStatus")->text().isEmpty());
  FillCouple(w);
  Action(w, "ManRecordsSave")->trigger();
  QCOMPARE(Archive(FsPath(ArchivePath())).CountPeople(), 1);
}

void RecordsWindowTest::screenshots() {
  const QString shots = qEnvironmentVariable("HEHUN_SHOTS");
  if (shots.isEmpty()) QSKIP("HEHUN_SHOTS not set");
  QDir().mkpath(shots);
  {
    static const char* const kSurnames[] = {"张", "王", "李", "赵", "陈", "刘", "杨", "黄", "周", "吴", "徐", "孙"};
    static const char* const kGiven[] = {"伟", "芳", "娜", "敏", "静", "强", "磊", "洋", "艳", "勇", "杰", "娟", "涛", "明", "霞"};
    static const char* const kPlaces[] = {"北京", "上海", "成都", "广州", "", "杭州", "西安"};
    static const char* const kTags[] = {"客户", "亲友", "", "同事", "客户", ""};
    Archive archive(FsPath(ArchivePath()));
    Archive::Batch batch(archive);
    for (int i = 0; i < 300; ++i) {
      Person p = MakePerson("", i % 2 ? "女" : "男", {1960 + i % 45, 1 + i % 12, 1 + (i * 7) % 28}, (i * 5) % 24,
                            (i * 13) % 60, i % 5 == 0);
      p.name = std::string(kSurnames[i % 12]) + kGiven[(i * 7) % 15] + (i % 3 ? kGiven[(i * 11) % 15] : "");
      p.place = kPlaces[i % 7];
      p.blood = i % 4 == 0 ? "" : (i % 4 == 1 ? "A" : i % 4 == 2 ? "O" : "AB");
      if (*kTags[i % 6]) p.tags = {kTags[i % 6]};
      if (i % 9 == 0) p.note = "介绍人：" + std::string(kSurnames[(i + 3) % 12]) + "女士，想看明年的婚期";
      batch.Add(p);
    }
    batch.Commit();
    archive.SaveCouple(1, 2, "双方父母已见面", hehun::Ymd{2024, 2, 20});
    archive.SaveCouple(3, 8);
  }
  AskingServices fake;
  MainWindow w(&fake, kToday);
  w.Records().SetPath(ArchivePath());
  w.show();
  QVERIFY(w.grab().save(shots + QStringLiteral("/main_window.png")));
  w.OpenRecordsWindow();
  auto* records = Find<hehun::ui::RecordsWindow>(w, "RecordsWindow");
  Find<QTableView>(*records, "PeopleTable")->selectRow(9);
  QTest::qWait(50);
  QVERIFY(records->grab().save(shots + QStringLiteral("/records_window.png")));
  Find<QTabWidget>(*records, "RecordsTabs")->setCurrentIndex(1);
  QVERIFY(records->grab().save(shots + QStringLiteral("/records_couples.png")));
  records->close();
  WhenPickerOpens([shots](hehun::ui::PersonPicker* picker) {
    Find<QLineEdit>(*picker, "PickerSearch")->insert(QStringLiteral("张"));  // typed
    QTest::qWait(250);
    QVERIFY(picker->grab().save(shots + QStringLiteral("/person_picker.png")));
    picker->reject();
  });
  Action(w, "ManRecordsPick")->trigger();
}

int main(int argc, char** argv) {
  QStandardPaths::setTestModeEnabled(true);  // never the user's data folder
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  RecordsWindowTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "records_window_test.moc"
