// The windows at their edges: the calendar viewer with today's date far
// outside its years, and the closing sequence in a folder where the lock
// files cannot be deleted (it still ends the program cleanly).
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/appearance.h"
#include "app/calendar_viewer.h"
#include "app/main_window.h"
#include "hardening_fixture.h"

using namespace hehun::ui;

class HardeningClosingTest : public QObject {
  Q_OBJECT

 private slots:
  void calendarViewerFarOutsideItsYears();
  void lockFilesThatCannotBeDeleted_data();
  void lockFilesThatCannotBeDeleted();
};

void HardeningClosingTest::calendarViewerFarOutsideItsYears() {
  // Today's date outside the viewer's years: the viewer still opens, shows
  // a month of its range and can be paged to both ends.
  for (const QDate today : {QDate(1800, 1, 1), QDate(2200, 7, 31), QDate(9999, 12, 31), QDate(1901, 1, 1),
                            QDate(2050, 12, 31)}) {
    CalendarViewer d(nullptr, today);
    d.show();
    auto* year = Find<QSpinBox>(d, QStringLiteral("UpDown1"));
    auto* month = Find<QSpinBox>(d, QStringLiteral("UpDown2"));
    for (int y : {year->minimum(), year->maximum(), -5, 100000})
      for (int m : {1, 2, 12, 13, 0}) {
        year->setValue(y);
        month->setValue(m);
        QVERIFY(year->value() >= year->minimum() && year->value() <= year->maximum());
      }
    QVERIFY(!Find<QLabel>(d, QStringLiteral("DayNumber15"))->text().isEmpty());
  }
}

// ---------------------------------------------------------------------------
// The closing sequence with lock files that cannot be deleted

namespace {
int RunCloseChild() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.SetLockFileDir(qEnvironmentVariable("HEHUN_UI_LOCK_DIR"));
  w.show();
  Click(w, "RzToolButton12");
  return 3;  // not reached: the closing sequence ends the process
}
}  // namespace

void HardeningClosingTest::lockFilesThatCannotBeDeleted_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("folder missing") << "missing";
  QTest::newRow("folder is a file") << "file";
  QTest::newRow("lock files are folders with content") << "folders";
  QTest::newRow("read-only folder") << "readonly";
}

void HardeningClosingTest::lockFilesThatCannotBeDeleted() {
  QFETCH(QString, kind);
  QTemporaryDir dir;
  QString lockDir = dir.filePath(QStringLiteral("app"));
  if (kind == QLatin1String("file")) {
    QFile f(dir.filePath(QStringLiteral("plain")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    lockDir = f.fileName();
  } else if (kind != QLatin1String("missing")) {
    QDir().mkpath(lockDir);
    for (const char* lock : {"BookFile.ldb", "Tgcode.ldb"}) {
      const QString path = QDir(lockDir).filePath(QString::fromLatin1(lock));
      if (kind == QLatin1String("folders")) {
        QDir().mkpath(path);
        QFile inner(path + QStringLiteral("/held"));
        QVERIFY(inner.open(QIODevice::WriteOnly));
      } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
      }
    }
    if (kind == QLatin1String("readonly"))
      QFile::setPermissions(lockDir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
  }
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HEHUN_UI_TEST_CHILD"), QStringLiteral("close"));
  env.insert(QStringLiteral("HEHUN_UI_LOCK_DIR"), lockDir);
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {});
  QVERIFY(child.waitForFinished(30000));
  QCOMPARE(child.exitStatus(), QProcess::NormalExit);
  QCOMPARE(child.exitCode(), 0);
  QCOMPARE(child.readAllStandardError().contains("QFile"), false);
  if (kind == QLatin1String("folders")) QVERIFY(QFileInfo(QDir(lockDir).filePath("BookFile.ldb")).isDir());
  QFile::setPermissions(lockDir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  hehun::ui::ApplyAppearance(app);
  if (qEnvironmentVariable("HEHUN_UI_TEST_CHILD") == QLatin1String("close")) return RunCloseChild();
  HardeningClosingTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "hardening_closing_test.moc"
