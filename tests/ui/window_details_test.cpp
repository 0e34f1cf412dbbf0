// Details of the main window a user notices: printed reports laid out in
// legible pages, Qt's own texts in Chinese, name boxes wide enough for a full
// name, the contacts read from contacts.ini, and the top bar marking the
// current page. With HEHUN_SCREENSHOT_DIR set, the tests also save pictures of
// what they check there.
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <algorithm>
#include <map>
#include <vector>

#include "app/appearance.h"
#include "app/contacts.h"
#include "app/main_window.h"
#include "app/picture_button.h"
#include "app/report_printing.h"
#include "app/translations.h"
#include "app/ui_services.h"
#include "refdb/refdb.h"

using hehun::ui::MainWindow;

namespace {

const QDate kToday(2024, 3, 5);
bool translationsLoaded = false;

class FakeServices : public hehun::ui::UiServices {
 public:
  void ShowInfo(QWidget*, const QString& text) override { infos << text; }
  void Notice(QWidget*, const QString& text) override { infos << text; }
  void ShowError(QWidget*, const QString& text) override { errors << text; }
  QString ChooseSaveFile(QFileDialog*) override { return {}; }
  bool ChoosePrinter(QWidget*, QPrinter& printer) override {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdfPath);
    return true;
  }
  void OpenUrl(const QUrl& url) override { urls << url; }
  bool TryOpenUrl(const QUrl& url) override {
    urls << url;
    return !noPrograms;
  }
  void ShowAddress(QWidget*, const QString& text) override { addresses << text; }
  bool noPrograms = false;  // a desktop without browser, mail or chat program
  QStringList infos, errors, addresses;
  QList<QUrl> urls;
  QString pdfPath;
};

template <class W>
W* Find(QWidget& window, const char* name) {
  W* w = window.findChild<W*>(QString::fromLatin1(name));
  if (w == nullptr) qFatal("no control %s", name);
  return w;
}

void Save(QWidget& widget, const QString& name) {
  const QString dir = qEnvironmentVariable("HEHUN_SCREENSHOT_DIR");
  if (!dir.isEmpty()) widget.grab().save(QDir(dir).filePath(name + QStringLiteral(".png")));
}

// Runs a poppler tool; fails the test when it is missing (poppler-utils).
QString Run(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(60000) || p.exitCode() != 0) {
    qWarning("%s failed: %s", qPrintable(program), p.readAllStandardError().constData());
    return {};
  }
  // pdftotext names some characters of the CJK face by their Kangxi radical
  // twins (⼋ for 八); the compatibility normalisation maps them back.
  return QString::fromUtf8(p.readAllStandardOutput()).normalized(QString::NormalizationForm_KC);
}

void FillCouple(QWidget& w) {
  Find<QLineEdit>(w, "Xing")->setText(QStringLiteral("张明"));
  Find<QComboBox>(w, "SYear")->setCurrentText(QStringLiteral("1990"));
  Find<QComboBox>(w, "SMonth")->setCurrentText(QStringLiteral("6"));
  Find<QComboBox>(w, "Sday")->setCurrentText(QStringLiteral("15"));
  Find<QComboBox>(w, "Shour")->setCurrentText(QStringLiteral("午 11"));
  Find<QLineEdit>(w, "Xing3")->setText(QStringLiteral("李芳"));
  Find<QComboBox>(w, "SYear3")->setCurrentText(QStringLiteral("1992"));
  Find<QComboBox>(w, "SMonth3")->setCurrentText(QStringLiteral("3"));
  Find<QComboBox>(w, "Sday3")->setCurrentText(QStringLiteral("8"));
  Find<QComboBox>(w, "Shour3")->setCurrentText(QStringLiteral("卯 6"));
}

}  // namespace

class WindowDetailsTest : public QObject {
  Q_OBJECT

 private slots:
  void printedReportIsPaginatedAndLegible();
  void qtTextsAreChinese();
  void nameBoxesShowAFullName();
  void contactsComeFromTheConfigurationFile();
  void topBarMarksTheCurrentPage();
};

void WindowDetailsTest::printedReportIsPaginatedAndLegible() {
  QTemporaryDir dir;
  FakeServices fake;
  MainWindow w(&fake, kToday);
  FillCouple(w);
  Find<QPushButton>(w, "RzBitBtn2")->click();
  const QString report = Find<QPlainTextEdit>(w, "MemoSuccess")->toPlainText();
  QVERIFY(report.count(QLatin1Char('\n')) > 200);
  const QString keep = qEnvironmentVariable("HEHUN_SCREENSHOT_DIR");
  fake.pdfPath = QDir(keep.isEmpty() ? dir.path() : keep).filePath(QStringLiteral("report.pdf"));
  Find<QPushButton>(w, "RzBitBtn4")->click();
  QVERIFY2(fake.errors.isEmpty(), qPrintable(fake.errors.join('\n')));

  // Page count: 200-odd lines at a reading size take several A4 pages.
  const QString info = Run(QStringLiteral("pdfinfo"), {fake.pdfPath});
  const auto pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
  QVERIFY2(pages.hasMatch(), qPrintable(info));
  const int pageCount = pages.captured(1).toInt();
  QVERIFY2(pageCount >= 4 && pageCount <= 8, qPrintable(info));

  // Every page has the running head and its number; the text is all there.
  const QString text = Run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), fake.pdfPath, QStringLiteral("-")});
  const QStringList pageTexts = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
  QCOMPARE(pageTexts.size(), pageCount);
  for (int i = 0; i < pageCount; ++i) {
    QVERIFY2(pageTexts[i].contains(QStringLiteral("瑞祺八字合婚配软件")), qPrintable(QString::number(i + 1)));
    QVERIFY2(pageTexts[i].contains(QStringLiteral("八字合婚报告")), qPrintable(QString::number(i + 1)));
    // "第 N 页 / 共 M 页" (页 may come back as its radical twin ⻚, blanks squeezed).
    const QRegularExpression number(
        QStringLiteral("第\\s*%1\\s*[页⻚]\\s*/\\s*共\\s*%2\\s*[页⻚]").arg(i + 1).arg(pageCount));
    QVERIFY2(pageTexts[i].contains(number), qPrintable(pageTexts[i].right(200)));
  }
  // The chart comes first, on a page of its own; the text from page 2.
  QVERIFY(pageTexts.first().contains(QStringLiteral("命盘")));
  QVERIFY(pageTexts[1].contains(QStringLiteral("男方基本信息")));
  QVERIFY(pageTexts.last().contains(QStringLiteral("特别声明")));

  // Glyph height: the word boxes of the report text are those of a 10 to 11
  // point font (a box spans the font's ascent and descent, about 1.1 to 1.5
  // times the point size), not the 0.3 mm of text laid out in printer pixels.
  const QString boxes = Run(QStringLiteral("pdftotext"),
                            {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("3"), QStringLiteral("-l"),
                             QStringLiteral("3"), fake.pdfPath, QStringLiteral("-")});
  std::vector<double> heights;
  const QRegularExpression word(QStringLiteral("<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"([\\d.]+)\" "
                                               "yMax=\"([\\d.]+)\">([^<]*)</word>"));
  for (auto it = word.globalMatch(boxes); it.hasNext();) {
    const auto m = it.next();
    heights.push_back(m.captured(4).toDouble() - m.captured(2).toDouble());
  }
  QVERIFY2(heights.size() > 100, qPrintable(boxes.left(400)));
  std::sort(heights.begin(), heights.end());
  const double median = heights[heights.size() / 2];
  QVERIFY2(median >= 10.5 && median <= 16.5, qPrintable(QString::number(median)));

  // The columns line up on paper: in the ten rows of the flow-year table on
  // the first text page, the last nine year names of every row start where those of the
  // first row start.
  const QString firstPage = Run(QStringLiteral("pdftotext"),
                                {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("2"), QStringLiteral("-l"),
                                 QStringLiteral("2"), fake.pdfPath, QStringLiteral("-")});
  std::map<int, std::vector<std::pair<double, QString>>> rows;  // by the top of the words, in tenths of a point
  for (auto it = word.globalMatch(firstPage); it.hasNext();) {
    const auto m = it.next();
    rows[qRound(m.captured(2).toDouble() * 10)].push_back({m.captured(1).toDouble(), m.captured(5)});
  }
  auto flow = std::find_if(rows.begin(), rows.end(), [](const auto& r) { return r.second.front().second.startsWith(QStringLiteral("流年")); });
  QVERIFY(flow != rows.end());
  const auto& head = flow->second;
  QCOMPARE(head.size(), size_t(10));
  for (int r = 0; r < 10; ++r, ++flow) {
    QVERIFY(flow != rows.end());
    const auto& row = flow->second;
    QVERIFY2(row.size() >= 9, qPrintable(QString::number(r)));
    for (int k = 1; k <= 9; ++k)
      QVERIFY2(qAbs(row[row.size() - k].first - head[head.size() - k].first) < 0.5,
               qPrintable(QStringLiteral("row %1 column %2: %3").arg(r).arg(k).arg(row[row.size() - k].second)));
  }

  const QString renderDir = qEnvironmentVariable("HEHUN_SCREENSHOT_DIR");
  if (!renderDir.isEmpty())
    Run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"), fake.pdfPath,
                                     QDir(renderDir).filePath(QStringLiteral("printed"))});
}

void WindowDetailsTest::qtTextsAreChinese() {
  QVERIFY2(translationsLoaded, "Qt's Simplified Chinese translations (qt6-translations-l10n) were not found");
  QMessageBox box(QMessageBox::Information, QStringLiteral("提示"), QStringLiteral("男方姓名不能为空!"),
                  QMessageBox::Ok);
  QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
  box.show();
  Save(box, QStringLiteral("message_box"));

  QPlainTextEdit memo;
  memo.setReadOnly(true);
  memo.setPlainText(QStringLiteral("报告"));
  std::unique_ptr<QMenu> menu(memo.createStandardContextMenu());
  QStringList actions;
  for (QAction* a : menu->actions())
    if (!a->isSeparator()) actions << a->text();
  QVERIFY2(actions.join(' ').contains(QStringLiteral("复制")), qPrintable(actions.join(' ')));
  QVERIFY2(actions.join(' ').contains(QStringLiteral("全选")), qPrintable(actions.join(' ')));

  QFileDialog dialog(nullptr, QStringLiteral("保存"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  auto* buttons = dialog.findChild<QDialogButtonBox*>();
  QVERIFY(buttons != nullptr);
  for (QAbstractButton* b : buttons->buttons())
    QVERIFY2(!b->text().contains(QRegularExpression(QStringLiteral("Save|Cancel|Open"))), qPrintable(b->text()));
  dialog.show();
  Save(dialog, QStringLiteral("file_dialog"));
}

void WindowDetailsTest::nameBoxesShowAFullName() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  const QString name = QStringLiteral("欧阳司马诸葛上官东方");  // ten characters, twenty GBK bytes
  QStringList tooNarrow;
  for (const char* box : {"Xing", "Xing3", "Xing2", "xing11", "xing22"}) {
    auto* edit = Find<QLineEdit>(w, box);
    edit->setText(name);
    QCOMPARE(edit->text(), name);
    edit->setCursorPosition(0);
    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
    const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    // QLineEdit keeps two pixels free at either end of its contents.
    const int room = contents.width() - edit->textMargins().left() - edit->textMargins().right() - 4;
    const int needed = edit->fontMetrics().horizontalAdvance(name);
    if (needed > room) tooNarrow << QStringLiteral("%1: %2 > %3").arg(QLatin1String(box)).arg(needed).arg(room);
  }
  w.show();
  Save(w, QStringLiteral("marriage_page_names"));
  w.RzToolButton1Click();
  Save(w, QStringLiteral("personal_page_name"));
  w.RzToolButton4Click();
  Save(w, QStringLiteral("wedding_page_names"));
  QVERIFY2(tooNarrow.isEmpty(), qPrintable(tooNarrow.join(QStringLiteral("; "))));
}

void WindowDetailsTest::contactsComeFromTheConfigurationFile() {
  // The shipped file beside the program sets no address: the about page and
  // the footer name none, and each tile says its contact is not set up.
  {
    FakeServices fake;
    MainWindow w(&fake, kToday);
    const QString about = Find<QTextBrowser>(w, "MemoAbout")->toPlainText();
    QVERIFY2(!about.contains(QLatin1Char('@')) && !about.contains(QStringLiteral("www.")), qPrintable(about));
    for (const char* button : {"RzToolButton38", "RzToolButton39", "RzToolButton40", "RzToolButton9"})
      Find<QToolButton>(w, button)->click();
    QVERIFY(fake.urls.isEmpty());
    QCOMPARE(fake.infos, (QStringList{QStringLiteral("本软件暂未开通QQ客服。"), QStringLiteral("本软件暂未提供客服电子邮箱。"),
                                      QStringLiteral("本软件暂未提供官方网站。"), QStringLiteral("本软件暂未提供官方网站。")}));
  }
  // A file with a QQ number, and one with malformed entries; no file at all.
  QTemporaryDir dir;
  hehun::SetDataDirOverride(dir.path().toStdString());
  struct Case {
    const char* file;  // nullptr: no file
    QList<QUrl> urls;
    int infos;
  } cases[] = {
      {"[contacts]\nqq=12345678\nmail=help@example.org\nweb=https://example.org/hehun\n",
       {QUrl(QStringLiteral("tencent://message/?uin=12345678")), QUrl(QStringLiteral("mailto:help@example.org")),
        QUrl(QStringLiteral("https://example.org/hehun"))},
       0},
      {"[contacts]\nqq=abc\nmail=nobody\nweb=ftp://example.org\n", {}, 3},
      {nullptr, {}, 3},
  };
  for (const Case& c : cases) {
    QFile::remove(dir.filePath(QStringLiteral("contacts.ini")));
    if (c.file != nullptr) {
      QFile f(dir.filePath(QStringLiteral("contacts.ini")));
      QVERIFY(f.open(QIODevice::WriteOnly));
      f.write(c.file);
    }
    FakeServices fake;
    MainWindow w(&fake, kToday);
    for (const char* button : {"RzToolButton38", "RzToolButton39", "RzToolButton40"})
      Find<QToolButton>(w, button)->click();
    QCOMPARE(fake.urls, c.urls);
    QCOMPARE(fake.infos.size(), c.infos);
  }
  // Set addresses the desktop cannot open: a box shows each address.
  {
    QFile f(dir.filePath(QStringLiteral("contacts.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("[contacts]\nqq=12345678\nmail=help@example.org\nweb=https://example.org/hehun\n");
    f.close();
    FakeServices fake;
    fake.noPrograms = true;
    MainWindow w(&fake, kToday);
    for (const char* button : {"RzToolButton38", "RzToolButton39", "RzToolButton40", "RzToolButton9"})
      Find<QToolButton>(w, button)->click();
    QVERIFY(fake.infos.isEmpty());
    QCOMPARE(fake.addresses, (QStringList{QStringLiteral("未能打开QQ。请在QQ中添加客服QQ号：\n12345678"),
                                          QStringLiteral("未能打开邮件程序。请将邮件发送至：\nhelp@example.org"),
                                          QStringLiteral("未能打开浏览器。请在浏览器中访问：\nhttps://example.org/hehun"),
                                          QStringLiteral("未能打开浏览器。请在浏览器中访问：\nhttps://example.org/hehun")}));
  }
  hehun::SetDataDirOverride({});
}

void WindowDetailsTest::topBarMarksTheCurrentPage() {
  FakeServices fake;
  MainWindow w(&fake, kToday);
  w.show();
  const char* names[] = {"RzToolButton2", "RzToolButton1", "RzToolButton3", "RzToolButton4",
                         "RzToolButton5", "RzToolButton7", "RzToolButton8"};
  const auto selected = [&] {
    QStringList out;
    for (const char* n : names)
      if (Find<hehun::ui::PictureButton>(w, n)->isSelected()) out << QLatin1String(n);
    return out;
  };
  QCOMPARE(selected(), QStringList{QStringLiteral("RzToolButton2")});  // the 合婚 page at start
  const QRect strip(0, 20, 800, 84);
  const QImage before = w.grab(strip).toImage();
  Save(w, QStringLiteral("top_bar_start"));
  for (const char* n : {"RzToolButton3", "RzToolButton1", "RzToolButton8", "RzToolButton4", "RzToolButton5",
                        "RzToolButton7", "RzToolButton2"}) {
    Find<QToolButton>(w, n)->click();
    QCOMPARE(selected(), QStringList{QLatin1String(n)});
  }
  Find<QToolButton>(w, "RzToolButton3")->click();
  QVERIFY(w.grab(strip).toImage() != before);  // the held highlight is painted
  Save(w, QStringLiteral("top_bar_star_sign"));
  // The about page has no button in the top bar.
  Find<QToolButton>(w, "RzToolButton10")->click();
  QVERIFY(selected().isEmpty());
}

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(hehun::ui::AppTitle());
  translationsLoaded = hehun::ui::InstallQtTranslations(app);
  hehun::ui::ApplyAppearance(app);
  WindowDetailsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "window_details_test.moc"
