// 网名与性格: a character trait from the pinyin initial of a nickname's
// last character.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

namespace hehun::ui {

class NicknameDialog : public QDialog {
  Q_OBJECT
 public:
  explicit NicknameDialog(QWidget* parent = nullptr);
  void RzBitBtn1Click();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLineEdit* edtmun_ = nullptr;
  QLabel* name_ = nullptr;   // RzLabel11
  QLabel* trait_ = nullptr;  // RzLabel8
};

}  // namespace hehun::ui
