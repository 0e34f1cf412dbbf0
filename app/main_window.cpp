#include "app/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <iterator>

#include "app/almanac_page.h"
#include "app/appearance.h"
#include "app/artwork.h"
#include "app/contacts.h"
#include "app/divination_dialogs.h"
#include "app/calendar_viewer.h"
#include "app/encyclopedia_page.h"
#include "app/match_dialog.h"
#include "app/naming_service_dialog.h"
#include "app/picture_button.h"
#include "app/report_printing.h"
#include "app/tool_dialogs.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "app/wedding_page.h"
#include "reports/personal_report.h"

namespace hehun::ui {

namespace {

// Messages of the core shown through the window; `beforeShow` brings the
// report area up to date first, so that the lines written so far are on the
// screen while a box is open.
class ReportMessages : public WindowMessages {
 public:
  ReportMessages(UiServices& services, QWidget* parent, std::function<void()> beforeShow)
      : WindowMessages(services, parent), beforeShow_(std::move(beforeShow)) {}
  void ShowInfo(std::string_view text) override {
    beforeShow_();
    WindowMessages::ShowInfo(text);
  }
  void Notice(std::string_view text) override {
    beforeShow_();
    WindowMessages::Notice(text);
  }
  void ShowError(std::string_view text) override {
    beforeShow_();
    WindowMessages::ShowError(text);
  }

 private:
  std::function<void()> beforeShow_;
};

QWidget* MakePage(QTabWidget* pages, const char* objectName, const QString& caption) {
  auto* page = new QWidget;
  page->setObjectName(QString::fromLatin1(objectName));
  page->setAutoFillBackground(true);
  QPalette pal = page->palette();
  pal.setColor(QPalette::Window, palette::kPaper);
  page->setPalette(pal);
  pages->addTab(page, caption);
  return page;
}

QFrame* MakeStrip(QWidget* page, const QRect& geometry) {
  auto* strip = new QFrame(page);
  strip->setProperty("role", QStringLiteral("strip"));
  strip->setGeometry(geometry);
  return strip;
}

const char kAboutText[] = R"(<div style="line-height:160%;">
<h2 style="color:#a31f22; text-align:center;">瑞祺八字合婚配软件</h2>
<p style="text-align:center; color:#8a7058;">版本 1.0</p>
<p>本软件依据中国传统的四柱八字学说，为有意结为连理的男女提供合婚参考。输入双方的姓名和出生年、月、日、时（公历、农历均可），软件即排出各自的八字命盘，包括四柱、胎元、大运、流年、藏干、纳音、十神与神煞，并对照双方的命宫、五行、生肖、性格、称骨与神煞，写成一份完整的合婚报告。</p>
<p>除合婚之外，软件还提供个人的生辰八字分析与星座分析。所有计算都在本机完成，不需要联网，也不会保存或上传您输入的任何资料。</p>
<p>需要说明的是：八字合婚是流传千年的民俗文化，书中的断语和规则来自传统典籍与民间经验，本软件如实整理呈现，结果只作为了解传统文化和思考问题的参考。两个人能否幸福，终究在于彼此的理解、包容与经营，请不要仅凭测算结果作出人生的重要决定。</p>
<p>%1</p>
<p style="text-align:right; color:#8a7058;">瑞祺软件工作室</p>
</div>)";

}  // namespace

MainWindow::MainWindow(UiServices* services, QDate today, QWidget* parent) : QWidget(parent), fixedToday_(today) {
  if (services == nullptr) {
    ownServices_ = std::make_unique<DesktopServices>();
    services = ownServices_.get();
  }
  services_ = services;
  SetWindowServices(this, services_);

  setObjectName(QStringLiteral("TFrmIndex"));
  setWindowTitle(AppTitle());
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
  setFixedSize(kWindowWidth, kWindowHeight);
  setFont(UiFont(12));
  setStyleSheet(MainStyleSheet());
  background_ = MainBackground();

  BuildTitleBar();
  BuildTopButtons();
  BuildPages();
  FillDatesFromToday();
  ShowPage(tabSheet1_);
}

MainWindow::~MainWindow() = default;

QDate MainWindow::Today() const { return fixedToday_.isValid() ? fixedToday_ : QDate::currentDate(); }

hehun::Ymd MainWindow::TodayYmd() const {
  const QDate d = Today();
  return hehun::Ymd{d.year(), d.month(), d.day()};
}

QString MainWindow::LockFileDir() const {
  return lockFileDir_.isEmpty() ? QCoreApplication::applicationDirPath() : lockFileDir_;
}

// The addresses come from contacts.ini beside the program; empty when unset.
QUrl MainWindow::WebSiteUrl() { return ReadContacts().web; }
QUrl MainWindow::MailUrl() { return MailUrlOf(ReadContacts()); }
QUrl MainWindow::ChatUrl() { return ChatUrlOf(ReadContacts()); }

// ---------------------------------------------------------------------------
// Building the window

void MainWindow::BuildTitleBar() {
  dragStrip_ = new QWidget(this);
  dragStrip_->setObjectName(QStringLiteral("Image4"));
  dragStrip_->setGeometry(kDragStrip);
  dragStrip_->installEventFilter(this);

  const QColor highlight(255, 240, 210, 45);
  const std::array<void (MainWindow::*)(), 4> handlers{&MainWindow::RzToolButton9Click, &MainWindow::RzToolButton10Click,
                                                      &MainWindow::RzToolButton11Click,
                                                      &MainWindow::RzToolButton12Click};
  for (size_t i = 0; i < kTitleButtons.size(); ++i) {
    const TitleButtonPlace& place = kTitleButtons[i];
    auto* button = new PictureButton(QString::fromLatin1(place.objectName), place.rect, QString::fromUtf8(place.hint),
                                     highlight, this);
    connect(button, &QToolButton::clicked, this, handlers[i]);
  }
}

void MainWindow::BuildTopButtons() {
  const QColor highlight(255, 236, 190, 40);
  const std::array<void (MainWindow::*)(), 7> handlers{
      &MainWindow::RzToolButton2Click, &MainWindow::RzToolButton1Click, &MainWindow::RzToolButton3Click,
      &MainWindow::RzToolButton4Click, &MainWindow::RzToolButton5Click, &MainWindow::RzToolButton7Click,
      &MainWindow::RzToolButton8Click};
  for (size_t i = 0; i < kTopButtons.size(); ++i) {
    const TopButtonPlace& place = kTopButtons[i];
    auto* button = new PictureButton(QString::fromLatin1(place.objectName),
                                     QRect(place.x, kTopButtonY, kTopButtonWidth, kTopButtonHeight),
                                     QString::fromUtf8(place.hint), highlight, this);
    connect(button, &QToolButton::clicked, this, handlers[i]);
    topButtons_.push_back(button);
  }
}

void MainWindow::BuildPages() {
  auto* panel = new QFrame(this);
  panel->setObjectName(QStringLiteral("RzPanel1"));
  panel->setGeometry(5, 106, 790, 456);

  pages_ = new QTabWidget(panel);
  pages_->setObjectName(QStringLiteral("RzPageControl1"));
  pages_->setDocumentMode(true);
  pages_->tabBar()->hide();  // pages change only through the buttons above
  pages_->setGeometry(0, 0, 790, 456);

  tabSheet1_ = MakePage(pages_, "TabSheet1", QStringLiteral("合婚"));
  tabSheet2_ = MakePage(pages_, "TabSheet2", QStringLiteral("八字及星座"));
  tabSheet3_ = MakePage(pages_, "TabSheet3", QStringLiteral("本日黄历"));
  tabSheet10_ = MakePage(pages_, "TabSheet10", QStringLiteral("百科"));
  tabSheet9_ = MakePage(pages_, "TabSheet9", QStringLiteral("功能大全"));
  tabSheet8_ = MakePage(pages_, "TabSheet8", QStringLiteral("关于我们"));
  tabSheet4_ = MakePage(pages_, "TabSheet4", QStringLiteral("结婚吉日"));

  BuildMarriagePage(tabSheet1_);
  BuildPersonalPage(tabSheet2_);
  BuildAlmanacPage(tabSheet3_);
  new EncyclopediaPage(tabSheet10_);
  BuildFunctionPage(tabSheet9_);
  BuildAboutPage(tabSheet8_);
  BuildWeddingPage(tabSheet4_);

  saveDialog_ = new QFileDialog(this, QStringLiteral("保存"));
  saveDialog_->setObjectName(QStringLiteral("SaveDialog1"));
  saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
  saveDialog_->setFileMode(QFileDialog::AnyFile);
  saveDialog_->setNameFilter(QStringLiteral("文本文件 (*.txt)"));
  saveDialog_->setDefaultSuffix(QStringLiteral("txt"));
}

QPlainTextEdit* MainWindow::MakeResultArea(QWidget* page, const char* objectName, const QRect& geometry) {
  auto* memo = new QPlainTextEdit(page);
  memo->setObjectName(QString::fromLatin1(objectName));
  memo->setReadOnly(true);
  memo->setFont(ReportFont(13));
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo->setGeometry(geometry);
  return memo;
}

void MainWindow::BuildMarriagePage(QWidget* page) {
  MakeStrip(page, QRect(4, 4, 782, 70));
  struct RowNames {
    const char *caption, *name, *calendar, *year, *month, *day, *hour, *minute, *blood;
    QString title;
    int y;
  };
  const RowNames rows[] = {
      {"Panel1", "Xing", "ComDate", "SYear", "SMonth", "Sday", "Shour", "CBFen", "ComboBoxDL",
       QStringLiteral("男方基本信息"), 11},
      {"Panel2", "Xing3", "ComDate3", "SYear3", "SMonth3", "Sday3", "Shour3", "CBFen3", "ComboBoxXX",
       QStringLiteral("女方基本信息"), 43},
  };
  for (const RowNames& r : rows) {
    BirthRowControls& row = (r.y == rows[0].y) ? man_ : woman_;
    const int y = r.y;
    // The name box is wide enough for a full ten-character name; the other
    // boxes are as narrow as their longest item allows.
    MakeCaptionPanel(page, r.caption, r.title, QRect(10, y, 76, 24));
    MakeLabel(page, QStringLiteral("姓名"), QRect(89, y, 25, 24));
    row.name = MakeNameBox(page, r.name, QRect(115, y, 128, 24));
    row.calendar = MakeCombo(page, r.calendar, QRect(246, y, 82, 24), CalendarItems(), false, 0);
    row.year = MakeCombo(page, r.year, QRect(331, y, 54, 24), YearItems(), true, 90);
    MakeLabel(page, QStringLiteral("年"), QRect(386, y, 13, 24));
    row.month = MakeCombo(page, r.month, QRect(400, y, 40, 24), NumberItems(1, 12), true, 0);
    MakeLabel(page, QStringLiteral("月"), QRect(441, y, 13, 24));
    row.day = MakeCombo(page, r.day, QRect(455, y, 40, 24), NumberItems(1, 31), true, 0);
    MakeLabel(page, QStringLiteral("日"), QRect(496, y, 13, 24));
    row.hour = MakeCombo(page, r.hour, QRect(510, y, 56, 24), HourItems(), true, 0);
    MakeLabel(page, QStringLiteral("时"), QRect(567, y, 13, 24));
    row.minute = MakeCombo(page, r.minute, QRect(581, y, 40, 24), NumberItems(0, 59), true, 0);
    MakeLabel(page, QStringLiteral("分 血型"), QRect(623, y, 42, 24));
    row.blood = MakeCombo(page, r.blood, QRect(665, y, 48, 24), BloodTypeItems(), false, -1);
  }

  auto* run = MakePageButton(page, "RzBitBtn2", QStringLiteral("测算"), QRect(716, 10, 68, 32));
  auto* save = MakePageButton(page, "RzBitBtn24", QStringLiteral("保存"), QRect(716, 46, 33, 23));
  auto* print = MakePageButton(page, "RzBitBtn4", QStringLiteral("打印"), QRect(751, 46, 33, 23));
  memoSuccess_ = MakeResultArea(page, "MemoSuccess", QRect(4, 80, 782, 372));

  connect(run, &QPushButton::clicked, this, &MainWindow::RzBitBtn2Click);
  connect(save, &QPushButton::clicked, this, [this] { SaveResult(memoSuccess_, QStringLiteral("八字合婚报告.txt")); });
  connect(print, &QPushButton::clicked, this, [this] { PrintResult(memoSuccess_, QStringLiteral("八字合婚报告")); });
}

void MainWindow::BuildPersonalPage(QWidget* page) {
  MakeStrip(page, QRect(4, 4, 782, 40));
  const int y = 12;
  MakeLabel(page, QStringLiteral("姓名"), QRect(14, y, 26, 24));
  xing2_ = MakeNameBox(page, "Xing2", QRect(40, y, 128, 24));
  nameB2_ = MakeNameBox(page, "NameB2", QRect(168, y, 2, 24));
  nameB2_->setVisible(false);
  sex2_ = MakeCombo(page, "CBsex2", QRect(172, y, 46, 24), {QStringLiteral("男"), QStringLiteral("女")}, false, 0);
  calendar2_ = MakeCombo(page, "ComDate2", QRect(222, y, 58, 24), ShortCalendarItems(), false, 0);
  year2_ = MakeCombo(page, "SYear2", QRect(284, y, 54, 24), YearItems(), true, 90);
  MakeLabel(page, QStringLiteral("年"), QRect(339, y, 13, 24));
  month2_ = MakeCombo(page, "SMonth2", QRect(353, y, 40, 24), NumberItems(1, 12), true, 0);
  MakeLabel(page, QStringLiteral("月"), QRect(394, y, 13, 24));
  day2_ = MakeCombo(page, "Sday2", QRect(408, y, 40, 24), NumberItems(1, 31), true, 0);
  MakeLabel(page, QStringLiteral("日"), QRect(449, y, 13, 24));
  hour2_ = MakeCombo(page, "Shour2", QRect(463, y, 56, 24), HourItems(), true, 0);
  MakeLabel(page, QStringLiteral("时"), QRect(520, y, 13, 24));
  minute2_ = MakeCombo(page, "CBFen2", QRect(534, y, 40, 24), NumberItems(0, 59), true, 0);
  MakeLabel(page, QStringLiteral("分"), QRect(575, y, 13, 24));

  rzButton2_ = MakePageButton(page, "RzButton2", QStringLiteral("八字分析"), QRect(592, 10, 82, 28));
  auto* print = MakePageButton(page, "RzBitBtn7", QStringLiteral("打印"), QRect(680, 10, 50, 28));
  auto* save = MakePageButton(page, "RzBitBtn8", QStringLiteral("保存"), QRect(734, 10, 50, 28));
  memo1_ = MakeResultArea(page, "Memo1", QRect(4, 50, 782, 402));

  connect(rzButton2_, &QPushButton::clicked, this, &MainWindow::RzButton2Click);
  connect(save, &QPushButton::clicked, this, [this] { SaveResult(memo1_, rzButton2_->text() + QStringLiteral(".txt")); });
  connect(print, &QPushButton::clicked, this, [this] { PrintResult(memo1_, rzButton2_->text()); });
}

void MainWindow::BuildAlmanacPage(QWidget* page) {
  almanacPage_ = new AlmanacPage(page, *services_, [this](QPlainTextEdit* memo, const QString& title) {
    PrintResult(memo, title);
  });
  slYear_ = almanacPage_->SlYear(), slMonth_ = almanacPage_->SlMonth(), slDay_ = almanacPage_->Slday();
}

void MainWindow::BuildWeddingPage(QWidget* page) {
  weddingPage_ = new WeddingPage(
      page, *services_, [this](QPlainTextEdit* memo, const QString& name) { SaveResult(memo, name); },
      [this](QPlainTextEdit* memo, const QString& title) { PrintResult(memo, title); }, [this] { return Today(); });
  year1_ = weddingPage_->Man().year, month1_ = weddingPage_->Man().month, day1_ = weddingPage_->Man().day;
  year2w_ = weddingPage_->Woman().year, month2w_ = weddingPage_->Woman().month, day2w_ = weddingPage_->Woman().day;
  memo2_ = weddingPage_->Memo2();
}

void MainWindow::BuildFunctionPage(QWidget* page) {
  auto* picture = new QLabel(page);
  picture->setObjectName(QStringLiteral("Image3"));
  picture->setGeometry(0, 0, kFunctionPictureWidth, kFunctionPictureHeight);
  picture->setPixmap(FunctionPagePicture());

  const QColor highlight(0xa3, 0x1f, 0x22, 22);
  for (const FunctionButtonPlace& place : kFunctionButtons) {
    const QRect geometry(place.x, kFunctionRowY[place.row], kFunctionButtonSize, kFunctionButtonSize);
    new PictureButton(QString::fromLatin1(place.objectName), geometry, QString::fromUtf8(place.label), highlight, page);
  }
  const std::pair<const char*, void (MainWindow::*)()> actions[] = {
      {"RzToolButton36", &MainWindow::RzToolButton36Click},
      {"RzToolButton37", &MainWindow::RzToolButton37Click},
      {"RzToolButton20", &MainWindow::RzToolButton20Click},
      {"RzToolButton21", &MainWindow::RzToolButton21Click},
      {"RzToolButton22", &MainWindow::RzToolButton22Click},
      {"RzToolButton38", &MainWindow::RzToolButton38Click},
      {"RzToolButton39", &MainWindow::RzToolButton39Click},
      {"RzToolButton40", &MainWindow::RzToolButton40Click},
  };
  for (const auto& [name, handler] : actions) {
    auto* button = page->findChild<QToolButton*>(QString::fromLatin1(name));
    connect(button, &QToolButton::clicked, this, handler);
  }
  ConnectDivinationButtons(page, this);
  for (const char* name : {"RzToolButton19", "RzToolButton23", "RzToolButton15", "RzToolButton31"})
    page->findChild<PictureButton*>(QString::fromLatin1(name))->SetUnavailable(QStringLiteral("暂未开放"));
}

void MainWindow::BuildAboutPage(QWidget* page) {
  auto* about = new QTextBrowser(page);
  about->setObjectName(QStringLiteral("MemoAbout"));
  about->setGeometry(4, 4, 782, 448);
  about->setFont(UiFont(14));
  about->setOpenLinks(false);
  about->document()->setDocumentMargin(28);
  about->setHtml(QString::fromUtf8(kAboutText).arg(ContactSentenceHtml(ReadContacts())));
}

void MainWindow::FillDatesFromToday() {
  const QDate today = Today();
  const QString year = today.toString(QStringLiteral("yyyy"));
  const QString month = today.toString(QStringLiteral("MM"));
  const QString day = today.toString(QStringLiteral("dd"));
  slYear_->setCurrentText(year);
  slMonth_->setCurrentText(month);
  slDay_->setCurrentText(day);
  year1_->setCurrentText(year);
  month1_->setCurrentText(month);
  day1_->setCurrentText(day);
  year2w_->setCurrentText(year1_->currentText());
  month2w_->setCurrentText(month1_->currentText());
  day2w_->setCurrentText(day1_->currentText());
}

// ---------------------------------------------------------------------------
// Window behaviour

void MainWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawPixmap(0, 0, background_);
}

void MainWindow::showEvent(QShowEvent* event) {
  if (!centred_) {
    centred_ = true;
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
  }
  QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closed by other means than the "关闭" button: the reference databases are
  // only open during a click, so nothing is left to release and the lock
  // files stay as they are.
  event->accept();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != dragStrip_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      // Hand the move to the window system, as a native title bar would; where
      // it cannot (no window manager), follow the mouse ourselves.
      if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return true;
      manualDrag_ = true;
      dragOffset_ = mouse->globalPosition().toPoint() - frameGeometry().topLeft();
      return true;
    }
    case QEvent::MouseMove:
      if (manualDrag_) {
        move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - dragOffset_);
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      manualDrag_ = false;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::ShowPage(QWidget* page) {
  pages_->setCurrentWidget(page);
  MarkTopButtons(page);
}

void MainWindow::MarkTopButtons(QWidget* page) {
  // The pages of the buttons in the order of kTopButtons; 八字分析 and 星座分析
  // share a page, told apart by the caption of its analysis button.
  QWidget* const pagesOfButtons[] = {tabSheet1_, tabSheet2_, tabSheet2_, tabSheet4_, tabSheet3_, tabSheet10_, tabSheet9_};
  for (size_t i = 0; i < topButtons_.size() && i < std::size(pagesOfButtons); ++i) {
    bool selected = pagesOfButtons[i] == page;
    if (selected && page == tabSheet2_) selected = (i == 2) == (rzButton2_->text() == QStringLiteral("星座分析"));
    topButtons_[i]->setSelected(selected);
  }
}

void MainWindow::RzToolButton2Click() { ShowPage(tabSheet1_); }

void MainWindow::RzToolButton1Click() {
  ShowPage(tabSheet2_);
  rzButton2_->setText(QStringLiteral("八字分析"));
  MarkTopButtons(tabSheet2_);
  memo1_->clear();
}

void MainWindow::RzToolButton3Click() {
  ShowPage(tabSheet2_);
  rzButton2_->setText(QStringLiteral("星座分析"));
  MarkTopButtons(tabSheet2_);
  memo1_->clear();
}

void MainWindow::RzToolButton4Click() { ShowPage(tabSheet4_); }
void MainWindow::RzToolButton5Click() {
  ShowPage(tabSheet3_);
  almanacPage_->BtnHuangliClick();
}
void MainWindow::RzToolButton7Click() { ShowPage(tabSheet10_); }
void MainWindow::RzToolButton8Click() { ShowPage(tabSheet9_); }
void MainWindow::RzToolButton10Click() { ShowPage(tabSheet8_); }

void MainWindow::RzToolButton9Click() { RzToolButton40Click(); }

void MainWindow::RzToolButton11Click() { setWindowState(windowState() | Qt::WindowMinimized); }

void MainWindow::DeleteLockFiles() const {
  const QDir dir(LockFileDir());
  QFile::remove(dir.filePath(QStringLiteral("Tgcode.ldb")));
  QFile::remove(dir.filePath(QStringLiteral("BookFile.ldb")));
}

void MainWindow::RzToolButton12Click() {
  DeleteLockFiles();
  QCoreApplication::quit();
  // End at once: delete the lock files once more and leave with exit code 0,
  // without waiting for the event loop or any further close handling.
  DeleteLockFiles();
  std::fflush(nullptr);
  std::_Exit(0);
}

// ---------------------------------------------------------------------------
// Reports

void MainWindow::ShowUserError(const std::exception& error) { services_->ShowError(this, FromUtf8(error.what())); }

void MainWindow::ShowReportArea() {
  const QString text = FromUtf8(reportArea_.Text());
  if (memoSuccess_->toPlainText() != text) memoSuccess_->setPlainText(text);
}

void MainWindow::RzBitBtn2Click() {
  ReportMessages messages(*services_, this, [this] { ShowReportArea(); });
  hehun::ReportResult result;
  try {
    hehun::RefDb db;
    result = hehun::RunMarriageReport(RowTexts(man_), RowTexts(woman_), reportArea_, hiddenLists_, messages, db,
                                      TodayYmd());
  } catch (const std::exception& error) {
    ShowReportArea();
    ShowUserError(error);
    return;
  } catch (const hehun::SilentAbort&) {
    ShowReportArea();
    return;
  }
  ShowReportArea();
  switch (result.end) {
    case hehun::ReportEnd::kComplete: {
      QTextCursor top = memoSuccess_->textCursor();
      top.movePosition(QTextCursor::Start);
      memoSuccess_->setTextCursor(top);
      memoSuccess_->verticalScrollBar()->setValue(0);
      break;
    }
    case hehun::ReportEnd::kManRowRefused:
      if (result.nameMissing) man_.name->setFocus();
      break;
    case hehun::ReportEnd::kWomanRowRefused:
      if (result.nameMissing) woman_.name->setFocus();
      break;
  }
}

void MainWindow::RzButton2Click() {
  hehun::PersonalInput input;
  input.name = ToUtf8(xing2_->text());
  input.secondName = ToUtf8(nameB2_->text());
  input.sex = ToUtf8(sex2_->currentText());
  input.calendarIndex = calendar2_->currentIndex();
  input.year = ToUtf8(year2_->currentText());
  input.month = ToUtf8(month2_->currentText());
  input.day = ToUtf8(day2_->currentText());
  input.hour = ToUtf8(hour2_->currentText());
  input.minute = ToUtf8(minute2_->currentText());
  const hehun::PersonalMode mode = hehun::PersonalModeOfCaption(ToUtf8(rzButton2_->text()));

  WindowMessages messages(*services_, this);
  hehun::LineList report;  // assembled off screen, shown only when complete
  try {
    hehun::RefDb db;
    if (!hehun::RunPersonalReport(input, mode, report, messages, db, TodayYmd())) return;
  } catch (const std::exception& error) {
    ShowUserError(error);
    return;
  } catch (const hehun::SilentAbort&) {
    return;
  }
  memo1_->setPlainText(FromUtf8(report.Text()));
}

// ---------------------------------------------------------------------------
// Saving and printing

void MainWindow::SaveResult(QPlainTextEdit* memo, const QString& suggestedName) {
  QString text = memo->toPlainText();
  if (text.isEmpty()) {
    services_->ShowInfo(this, QStringLiteral("当前没有可保存的内容，请先进行分析。"));
    return;
  }
  saveDialog_->selectFile(suggestedName);
  const QString path = services_->ChooseSaveFile(saveDialog_);
  if (path.isEmpty()) return;
  if (!text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
    services_->ShowError(this, QStringLiteral("无法保存文件“%1”：%2").arg(QDir::toNativeSeparators(path),
                                                                         file.errorString()));
  }
}

void MainWindow::PrintResult(QPlainTextEdit* memo, const QString& title) {
  const QString text = memo->toPlainText();
  if (text.isEmpty()) {
    services_->ShowInfo(this, QStringLiteral("当前没有可打印的内容，请先进行分析。"));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  if (!services_->ChoosePrinter(this, printer)) return;
  if (PrintReport(printer, title, text) == 0)
    services_->ShowError(this, QStringLiteral("无法启动打印，请检查打印机设置。"));
}

// ---------------------------------------------------------------------------
// Function page

void MainWindow::RzToolButton36Click() { OpenToolDialog(calendarViewer_, this); }
void MainWindow::RzToolButton37Click() { OpenToolDialog(namingService_, this); }
void MainWindow::RzToolButton20Click() { OpenToolDialog(signMatch_, this, MatchKind::kSign, CoupleOf(man_, woman_)); }
void MainWindow::RzToolButton21Click() { OpenToolDialog(zodiacMatch_, this, MatchKind::kZodiac, CoupleOf(man_, woman_)); }
void MainWindow::RzToolButton22Click() { OpenToolDialog(bloodMatch_, this, MatchKind::kBlood, CoupleOf(man_, woman_)); }
// A contact that is not set shows a box instead of opening anything.
void MainWindow::RzToolButton38Click() {
  const Contacts contacts = ReadContacts();
  if (contacts.qq.isEmpty())
    services_->ShowInfo(this, NoChatMessage(contacts));
  else
    services_->OpenUrl(ChatUrlOf(contacts));
}

void MainWindow::RzToolButton39Click() {
  const QUrl url = MailUrl();
  if (url.isEmpty())
    services_->ShowInfo(this, NoMailMessage());
  else
    services_->OpenUrl(url);
}

void MainWindow::RzToolButton40Click() {
  const QUrl url = WebSiteUrl();
  if (url.isEmpty())
    services_->ShowInfo(this, NoWebSiteMessage());
  else
    services_->OpenUrl(url);
}

}  // namespace hehun::ui
