// The number dialog of the function page, in its three kinds: 手机号码测算
// (the fortune of a mobile number from table `shouji`), QQ号码测试 and
// 任意号码分析 (the 81-number fortune of a QQ number or of any number).
// The number, "测算" and "关闭" at the top, four result rows under
// "测算结果"; the dialog destroys itself when it closes.
#pragma once

#include <QDialog>

#include "divination/number_divination.h"

class QLabel;
class QLineEdit;

namespace hehun::ui {

class NumberDialog : public QDialog {
  Q_OBJECT
 public:
  // The object name tells the kinds apart: TFrm_SJcs (mobile), TFrmQQhm
  // (QQ), TFrm_onther (any number).
  NumberDialog(QWidget* parent, hehun::NumberKind kind);

  hehun::NumberKind Kind() const { return kind_; }
  // The calculation ("测算").
  void RzBitBtn1Click();
  // The key filter of the number box: digits, backspace and Enter pass,
  // Enter then runs the calculation; every other character is discarded.
  // Returns true when the key was consumed.
  bool edtmunKeyPress(QChar key);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The mobile dialog calculates a number already in the box when it is
  // shown.
  void showEvent(QShowEvent* event) override;

 private:
  hehun::NumberKind kind_;
  QLineEdit* edtmun_ = nullptr;
  QLabel* number_ = nullptr;  // RzLabel11
  QLabel* state_ = nullptr;   // RzLabel10
  QLabel* grade_ = nullptr;   // RzLabel9
  QLabel* detail_ = nullptr;  // RzLabel8
};

}  // namespace hehun::ui
