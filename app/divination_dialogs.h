// The dialogs of the number, name and omen divinations, opened from the
// function page: the three number dialogs, the nickname dialog, the folk-omen
// window and the conception table.
#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

#include "divination/number_divination.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTextEdit;

class QFrame;
class QHBoxLayout;
class QPushButton;

namespace hehun::ui {

// The common arrangement of the three number dialogs: the number, "测算"
// and "关闭" at the top, four result rows under "测算结果". Each dialog
// destroys itself when it closes.
class NumberDialog : public QDialog {
  Q_OBJECT
 public:
  // The calculation ("测算").
  void RzBitBtn1Click();
  // The key filter of the number box: digits, backspace and Enter pass,
  // Enter then runs the calculation; every other character is discarded.
  // Returns true when the key was consumed.
  bool edtmunKeyPress(QChar key);

 protected:
  NumberDialog(hehun::NumberKind kind, const char* objectName, QWidget* parent);
  bool eventFilter(QObject* watched, QEvent* event) override;

  hehun::NumberKind kind_;
  QLineEdit* edtmun_ = nullptr;
  QLabel* number_ = nullptr;  // RzLabel11
  QLabel* state_ = nullptr;   // RzLabel10
  QLabel* grade_ = nullptr;   // RzLabel9
  QLabel* detail_ = nullptr;  // RzLabel8
};

// 手机号码测算: the fortune of a mobile number from table `shouji`.
class TFrm_SJcs : public NumberDialog {
  Q_OBJECT
 public:
  explicit TFrm_SJcs(QWidget* parent = nullptr);

 protected:
  // A number already in the box when the dialog is shown is calculated at once.
  void showEvent(QShowEvent* event) override;
};

// QQ号码测试: the 81-number fortune of a QQ number.
class TFrmQQhm : public NumberDialog {
  Q_OBJECT
 public:
  explicit TFrmQQhm(QWidget* parent = nullptr);
};

// 任意号码分析: the 81-number fortune of any number.
class TFrm_onther : public NumberDialog {
  Q_OBJECT
 public:
  explicit TFrm_onther(QWidget* parent = nullptr);
};

// 网名与性格: a character trait from the pinyin initial of a nickname's
// last character.
class TFrmWangming : public QDialog {
  Q_OBJECT
 public:
  explicit TFrmWangming(QWidget* parent = nullptr);
  void RzBitBtn1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* edtmun_ = nullptr;
  QLabel* name_ = nullptr;   // RzLabel11
  QLabel* trait_ = nullptr;  // RzLabel8
};

// The folk-omen window: one of seven fixed pages, chosen by the caller; not
// modal, destroyed when it closes.
class TFormOnther : public QWidget {
  Q_OBJECT
 public:
  explicit TFormOnther(QWidget* parent = nullptr);
  QStackedWidget* pages() const { return pages_; }

 private:
  QStackedWidget* pages_ = nullptr;
};

// Opens one more omen window with the title and page (0 to 6) and returns
// at once; the windows opened before stay open.
TFormOnther* ShowOmenPage(const QString& title, int pageIndex, QWidget* owner = nullptr);
// The newest omen window, empty when it has closed.
QPointer<TFormOnther>& CurrentOmenWindow();

// 生男生女: the conception table, editable on screen but never saved;
// closing only hides the window, the next opening replaces it.
class TFrm_NanNv : public QDialog {
  Q_OBJECT
 public:
  explicit TFrm_NanNv(QWidget* parent = nullptr);
};

// Connects the function page's buttons of these tools (omens, number
// dialogs, nickname, conception table) to their actions; the dialogs are
// owned by `owner`.
void ConnectDivinationButtons(QWidget* page, QWidget* owner);

// The widget style of the tool dialogs, matching the main window.
QString DialogStyleSheet();

// The input strip of the number and nickname dialogs: a caption, the edit
// box `edtmun` and the buttons "测算" (`RzBitBtn1`) and "关闭" (`RzBitBtn2`,
// which closes `dialog`), laid out in `row`; the caller connects "测算" and
// gives the frame its layout.
struct InputStrip {
  QFrame* frame = nullptr;
  QLineEdit* edit = nullptr;
  QPushButton* run = nullptr;
  QHBoxLayout* row = nullptr;
};
InputStrip MakeInputStrip(QDialog* dialog, const QString& caption, int maxLength);

}  // namespace hehun::ui
