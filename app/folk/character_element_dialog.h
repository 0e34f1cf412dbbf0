// 文字五行: for one or more characters (e.g. a name) each character's 康熙
// stroke count, five element, pinyin and radical, one table row a
// character. The text, "查询" and "关闭" at the top, the table under
// "查询结果"; the dialog destroys itself when it closes.
#pragma once

#include <QDialog>

class QLineEdit;

namespace hehun::ui {

class FolkResultArea;

class CharacterElementDialog : public QDialog {
  Q_OBJECT
 public:
  // Object name TFrmWenziWuxing.
  explicit CharacterElementDialog(QWidget* parent = nullptr);

  // The look-up ("查询"); a refused input leaves the result as it was.
  void LookUp();
  // The shown result, one line per character as the core writes it.
  QString ResultText() const;

 private:
  QLineEdit* edit_ = nullptr;
  FolkResultArea* result_ = nullptr;
};

}  // namespace hehun::ui
