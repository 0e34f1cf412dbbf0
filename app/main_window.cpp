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
#include "app/chart/chart_panel.h"
#include "app/appearance.h"
#include "app/artwork.h"
#include "app/contacts.h"
#include "app/encyclopedia_page.h"
#include "app/function_page.h"
#include "app/marriage_page.h"
#include "app/personal_page.h"
#include "app/picture_button.h"
#include "app/records/person_panel.h"
#include "app/records/records_store.h"
#include "app/records/records_title_button.h"
#include "app/records/records_window.h"
#include "app/report_printing.h"
#include "app/ui_script.h"
#include "app/ui_script_choice.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "app/wedding_page.h"

namespace hehun::ui {

namespace {

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
  scriptedServices_ = std::make_unique<ScriptedServices>(*services);
  services_ = scriptedServices_.get();
  SetWindowServices(this, services_);

  setObjectName(QStringLiteral("TFrmIndex"));
  setWindowTitle(AppTitle());
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
  setFixedSize(kWindowWidth, kWindowHeight);
  setFont(UiFont(12));
  setStyleSheet(MainStyleSheet());
  background_ = MainBackground();
  OnScriptChanged(this, [this] {
    background_ = MainBackground();
    update();
  });
  records_ = new RecordsStore(this);
  SetRecordsStore(this, records_);

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
  connect(new RecordsTitleButton(this), &QToolButton::clicked, this, &MainWindow::OpenRecordsWindow);
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

  const auto save = [this](QPlainTextEdit* memo, const QString& name) { SaveResult(memo, name); };
  const auto print = [this](QPlainTextEdit* memo, const QString& title) { PrintResult(memo, title); };
  const auto today = [this] { return TodayYmd(); };
  marriagePage_ = new MarriagePage(tabSheet1_, this, *services_, save, print, today);
  personalPage_ = new PersonalPage(tabSheet2_, this, *services_, save, print, today);
  BuildAlmanacPage(tabSheet3_);
  new EncyclopediaPage(tabSheet10_);
  functionPage_ = new FunctionPage(tabSheet9_, this, *services_, [this] { return marriagePage_->Couple(); });
  BuildAboutPage(tabSheet8_);
  BuildWeddingPage(tabSheet4_);

  saveDialog_ = new QFileDialog(this, QStringLiteral("保存"));
  saveDialog_->setObjectName(QStringLiteral("SaveDialog1"));
  saveDialog_->setAcceptMode(QFileDialog::AcceptSave);
  saveDialog_->setFileMode(QFileDialog::AnyFile);
  saveDialog_->setNameFilters({QStringLiteral("文本文件 (*.txt)"), QStringLiteral("导出图片 PNG (*.png)"),
                                QStringLiteral("导出图片 PDF (*.pdf)")});
  saveDialog_->setDefaultSuffix(QStringLiteral("txt"));
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

void MainWindow::BuildAboutPage(QWidget* page) {
  auto* about = new QTextBrowser(page);
  about->setObjectName(QStringLiteral("MemoAbout"));
  about->setGeometry(4, 4, 782, 412);
  MakeScriptChooser(page, QRect(4, 420, 782, 28));
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
    if (selected && page == tabSheet2_)
      selected = (i == 2) == (SimplifiedCaption(personalPage_->AnalysisButton()) == QStringLiteral("星座分析"));
    topButtons_[i]->setSelected(selected);
  }
}

void MainWindow::RzToolButton2Click() { ShowPage(tabSheet1_); }

void MainWindow::RzToolButton1Click() {
  ShowPage(tabSheet2_);
  SetCaption(personalPage_->AnalysisButton(), QStringLiteral("八字分析"));
  MarkTopButtons(tabSheet2_);
  personalPage_->Memo1()->clear();
}

void MainWindow::RzToolButton3Click() {
  ShowPage(tabSheet2_);
  SetCaption(personalPage_->AnalysisButton(), QStringLiteral("星座分析"));
  MarkTopButtons(tabSheet2_);
  personalPage_->Memo1()->clear();
}

void MainWindow::RzToolButton4Click() { ShowPage(tabSheet4_); }
void MainWindow::RzToolButton5Click() {
  ShowPage(tabSheet3_);
  almanacPage_->BtnHuangliClick();
}
void MainWindow::RzToolButton7Click() { ShowPage(tabSheet10_); }
void MainWindow::RzToolButton8Click() { ShowPage(tabSheet9_); }
void MainWindow::RzToolButton10Click() { ShowPage(tabSheet8_); }

void MainWindow::RzToolButton9Click() { functionPage_->RzToolButton40Click(); }

void MainWindow::OpenRecordsWindow() {
  if (recordsWindow_ == nullptr) {
    // A couple opened from the window fills the page 合婚 and runs its report.
    const auto openCouple = [this](const records::Person& man, const records::Person& woman) {
      FillPanel(PanelOfRow(marriagePage_->ManRow(), QStringLiteral("男")), man);
      FillPanel(PanelOfRow(marriagePage_->WomanRow(), QStringLiteral("女")), woman);
      ShowPage(tabSheet1_);
      activateWindow();
      return marriagePage_->RzBitBtn2Click();
    };
    recordsWindow_ = new RecordsWindow(*records_, openCouple, [this] { return TodayYmd(); }, this);
  } else {
    recordsWindow_->Reload();
  }
  recordsWindow_->show();
  recordsWindow_->raise();
  recordsWindow_->activateWindow();
}

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
// Saving and printing

void MainWindow::SaveResult(QPlainTextEdit* memo, const QString& suggestedName) {
  QString text = memo->toPlainText();
  if (text.isEmpty()) {
    services_->ShowInfo(this, QStringLiteral("当前没有可保存的内容，请先进行分析。"));
    return;
  }
  saveDialog_->selectFile(Shown(suggestedName));
  const QString path = services_->ChooseSaveFile(saveDialog_);
  if (path.isEmpty()) return;
  if (IsChartPicturePath(path)) {  // 导出图片: the chart as PNG or PDF
    const ChartPicture* picture = ChartPictureOf(memo);
    QString error = QStringLiteral("当前结果没有命盘可导出");
    if (!picture || !picture->HasPicture() || !ExportChartPicture(*picture, path, &error))
      services_->ShowError(this, QStringLiteral("无法导出图片“%1”：%2").arg(QDir::toNativeSeparators(path), error));
    return;
  }
  if (!text.endsWith(QLatin1Char('\n'))) text += QLatin1Char('\n');
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.toUtf8()) < 0 || !file.commit()) {
    services_->ShowError(this, QStringLiteral("无法保存文件“%1”：%2").arg(QDir::toNativeSeparators(path),
                                                                         file.errorString()));
  }
}

void MainWindow::PrintResult(QPlainTextEdit* memo, const QString& simplifiedTitle) {
  const QString title = Shown(simplifiedTitle);
  const QString text = memo->toPlainText();
  if (text.isEmpty()) {
    services_->ShowInfo(this, QStringLiteral("当前没有可打印的内容，请先进行分析。"));
    return;
  }
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(title);
  if (!services_->ChoosePrinter(this, printer)) return;
  const ChartPicture* picture = ChartPictureOf(memo);
  std::function<void(QPainter&, const QRectF&)> chartPage;
  if (picture && picture->HasPicture())
    chartPage = [picture](QPainter& painter, const QRectF& area) { PaintChartPage(painter, area, *picture); };
  if (PrintReport(printer, title, text, chartPage) == 0)
    services_->ShowError(this, QStringLiteral("无法启动打印，请检查打印机设置。"));
}

}  // namespace hehun::ui
