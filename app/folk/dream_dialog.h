// 周公解梦: the dream book. A search box with "查询" and "关闭" at the top;
// at the left the categories with their entry counts, which browse a
// category when one is chosen; the entries found at the right. The dialog
// destroys itself when it closes.
#pragma once

#include <QDialog>

class QLineEdit;
class QListWidget;

namespace hehun::ui {

class FolkResultArea;

class DreamDialog : public QDialog {
  Q_OBJECT
 public:
  // Object name TFrmZhougong.
  explicit DreamDialog(QWidget* parent = nullptr);

  // The search ("查询") for the words in the box; an empty box is refused
  // with a message.
  void Search();
  // Shows the entries of the category in list row `row`.
  void Browse(int row);
  // The shown result, one line per line of the core's report.
  QString ResultText() const;

 private:
  void FillCategories();

  QLineEdit* edit_ = nullptr;
  QListWidget* categories_ = nullptr;
  FolkResultArea* result_ = nullptr;
};

}  // namespace hehun::ui
