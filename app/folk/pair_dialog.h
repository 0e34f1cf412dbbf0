// The two folk tests of a pair on the function page: 缘分测试 (two names,
// the stroke method) and QQ号缘分 (two QQ numbers, the 81-number method on
// their sum). Two boxes, "测算" and "关闭" at the top, a note on the method,
// and the result under "测算结果"; the dialog destroys itself when it closes.
#pragma once

#include <QDialog>

class QLineEdit;

namespace hehun::ui {

class FolkResultArea;

enum class PairKind { kNames, kQqNumbers };

class PairDialog : public QDialog {
  Q_OBJECT
 public:
  // The object name tells the kinds apart: TFrmYuanfen (names),
  // TFrmQQYuanfen (QQ numbers).
  PairDialog(QWidget* parent, PairKind kind);

  PairKind Kind() const { return kind_; }
  // The calculation ("测算"); a refused input leaves the result as it was.
  void Calculate();
  // The shown result, one line per line of the core's report.
  QString ResultText() const;

 private:
  PairKind kind_;
  QLineEdit* first_ = nullptr;
  QLineEdit* second_ = nullptr;
  FolkResultArea* result_ = nullptr;
};

}  // namespace hehun::ui
