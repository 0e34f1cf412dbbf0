// The folder app/ is a top floor beside cli/: the windows (Qt) over the core.
//
// The main window: the painted frame and title bar, the page buttons, the
// page stack with its pages (each built by its own class), saving and
// printing a page's result, and the closing sequence.
#pragma once

#include <QDate>
#include <QPixmap>
#include <QPoint>
#include <QPointer>
#include <QUrl>
#include <QWidget>
#include <memory>
#include <vector>

#include "calendar/date.h"

class QComboBox;
class QFileDialog;
class QFrame;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;

namespace hehun::ui {

class UiServices;
class PictureButton;
class MarriagePage;
class PersonalPage;
class AlmanacPage;
class WeddingPage;
class FunctionPage;
class RecordsStore;
class RecordsWindow;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  // `services` answers for the desktop (message boxes, file and printer
  // choice, opening addresses); without it the real dialogs are used.
  // `today` fixes the date the window starts from and reports count ages
  // from; without it the system clock is read.
  explicit MainWindow(UiServices* services = nullptr, QDate today = QDate(), QWidget* parent = nullptr);
  ~MainWindow() override;

  QDate Today() const;
  // The folder of the database lock files removed by the closing sequence
  // (the program's folder unless set).
  void SetLockFileDir(const QString& dir) { lockFileDir_ = dir; }
  QString LockFileDir() const;

  // Page buttons.
  void RzToolButton1Click();
  void RzToolButton2Click();
  void RzToolButton3Click();
  void RzToolButton4Click();
  void RzToolButton5Click();
  void RzToolButton7Click();
  void RzToolButton8Click();
  void RzToolButton10Click();
  // Title bar.
  void RzToolButton9Click();
  void RzToolButton11Click();
  void RzToolButton12Click();
  // The title-bar button 档案: opens (or brings up) the records window.
  void OpenRecordsWindow();
  // The archive the window and the 档案 buttons use (tests give it a file).
  RecordsStore& Records() const { return *records_; }
  // Saving and printing the result text of a page.
  void SaveResult(QPlainTextEdit* memo, const QString& suggestedName);
  void PrintResult(QPlainTextEdit* memo, const QString& title);
  // The links handed to the desktop.
  static QUrl WebSiteUrl();
  static QUrl MailUrl();
  static QUrl ChatUrl();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildTitleBar();
  void BuildTopButtons();
  void BuildPages();
  void BuildAlmanacPage(QWidget* page);
  void BuildWeddingPage(QWidget* page);
  void BuildAboutPage(QWidget* page);
  void FillDatesFromToday();
  void ShowPage(QWidget* page);
  hehun::Ymd TodayYmd() const;
  void DeleteLockFiles() const;

  std::unique_ptr<UiServices> ownServices_;
  // The services every page and dialog uses: the given ones, with the
  // message texts in the chosen script.
  std::unique_ptr<UiServices> scriptedServices_;
  UiServices* services_ = nullptr;
  QDate fixedToday_;
  QString lockFileDir_;
  QPixmap background_;

  QWidget* dragStrip_ = nullptr;
  QPoint dragOffset_;
  bool manualDrag_ = false;
  bool centred_ = false;

  QTabWidget* pages_ = nullptr;
  QWidget* tabSheet1_ = nullptr;   // 合婚
  QWidget* tabSheet2_ = nullptr;   // 八字及星座
  QWidget* tabSheet3_ = nullptr;   // 本日黄历
  QWidget* tabSheet10_ = nullptr;  // 百科
  QWidget* tabSheet9_ = nullptr;   // 功能大全
  QWidget* tabSheet8_ = nullptr;   // 关于我们
  QWidget* tabSheet4_ = nullptr;   // 结婚吉日
  QFileDialog* saveDialog_ = nullptr;

  RecordsStore* records_ = nullptr;
  QPointer<RecordsWindow> recordsWindow_;
  MarriagePage* marriagePage_ = nullptr;
  PersonalPage* personalPage_ = nullptr;
  FunctionPage* functionPage_ = nullptr;
  // 本日黄历
  QComboBox *slYear_ = nullptr, *slMonth_ = nullptr, *slDay_ = nullptr;
  AlmanacPage* almanacPage_ = nullptr;
  // 结婚吉日
  QComboBox *year1_ = nullptr, *month1_ = nullptr, *day1_ = nullptr;
  QComboBox *year2w_ = nullptr, *month2w_ = nullptr, *day2w_ = nullptr;
  QPlainTextEdit* memo2_ = nullptr;
  WeddingPage* weddingPage_ = nullptr;

  // The page buttons across the top, in the order of kTopButtons; the one of
  // the current page is shown selected.
  std::vector<PictureButton*> topButtons_;
  void MarkTopButtons(QWidget* page);
};

}  // namespace hehun::ui
