// The window at a scale factor of 2 (QT_SCALE_FACTOR=2, as on a HiDPI
// screen): the painted pictures are drawn at device resolution and the
// layout keeps its logical size; and the program's icon built into it.
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "app/appearance.h"
#include "app/artwork.h"
#include "app/main_window.h"
#include "app/program_icon.h"
#include "app/ui_services.h"

using namespace hehun::ui;

class HiDpiTest : public QObject {
  Q_OBJECT
 private slots:
  void picturesArePaintedAtDeviceResolution();
  void windowKeepsItsLogicalLayout();
  void programIconIsTheMedallion();
};

void HiDpiTest::picturesArePaintedAtDeviceResolution() {
  QCOMPARE(qApp->devicePixelRatio(), 2.0);
  const QPixmap background = MainBackground();
  QCOMPARE(background.devicePixelRatio(), 2.0);
  QCOMPARE(background.size(), QSize(2 * kWindowWidth, 2 * kWindowHeight));
  QCOMPARE(background.deviceIndependentSize(), QSizeF(kWindowWidth, kWindowHeight));
  const QPixmap function = FunctionPagePicture();
  QCOMPARE(function.devicePixelRatio(), 2.0);
  QCOMPARE(function.deviceIndependentSize(), QSizeF(kFunctionPictureWidth, kFunctionPictureHeight));

  // The whole picture is painted, to its last device pixel: the window's red
  // border at the bottom right, the page's paper colour at the far corner.
  const QImage b = background.toImage();
  const QColor corner = b.pixelColor(b.width() - 1, b.height() - 1);
  QVERIFY2(corner.red() > 2 * corner.green(), qPrintable(corner.name()));
  const QImage f = function.toImage();
  QVERIFY(f.pixelColor(f.width() - 1, f.height() - 1).lightness() > 200);
}

void HiDpiTest::windowKeepsItsLogicalLayout() {
  MainWindow w(nullptr, QDate(2026, 12, 9));
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  QCOMPARE(w.size(), QSize(kWindowWidth, kWindowHeight));
  const QPixmap shot = w.grab();
  QCOMPARE(shot.size(), QSize(2 * kWindowWidth, 2 * kWindowHeight));
  // The function page's picture is the sharp one too.
  bool found = false;
  for (QLabel* label : w.findChildren<QLabel*>()) {
    const QPixmap p = label->pixmap();
    if (p.deviceIndependentSize() == QSizeF(kFunctionPictureWidth, kFunctionPictureHeight)) {
      QCOMPARE(p.devicePixelRatio(), 2.0);
      found = true;
    }
  }
  QVERIFY(found);
}

void HiDpiTest::programIconIsTheMedallion() {
  const QIcon icon = ProgramIcon();
  QVERIFY(!icon.isNull());
  const QList<QSize> sizes = icon.availableSizes();
  for (int size : {16, 32, 48, 256}) QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
  // A title bar of 32 logical pixels at scale 2 gets the 64-pixel rendering.
  QCOMPARE(icon.pixmap(QSize(32, 32), 2.0).size(), QSize(64, 64));
  // Transparent corner, gold rim, red face.
  const QImage image = icon.pixmap(QSize(256, 256), 1.0).toImage();
  QCOMPARE(image.pixelColor(2, 2).alpha(), 0);
  const QColor rim = image.pixelColor(128, 18);
  QVERIFY2(rim.red() > 180 && rim.green() > 120 && rim.blue() < 140, qPrintable(rim.name()));
  const QColor face = image.pixelColor(128, 34);
  QVERIFY2(face.red() > 120 && face.green() < 90, qPrintable(face.name()));
}

int main(int argc, char** argv) {
  qputenv("QT_SCALE_FACTOR", "2");
  QApplication app(argc, argv);
  QApplication::setApplicationName(AppTitle());
  ApplyAppearance(app);
  HiDpiTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "hidpi_test.moc"
