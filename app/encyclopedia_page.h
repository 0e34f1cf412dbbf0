// The page 百科: a column of article buttons on the left and the text area
// MemoBk on the right, which shows a fixed introduction until an article is
// chosen and then the chosen article from the reference database.
#pragma once

#include <QObject>

class QAbstractButton;
class QPlainTextEdit;
class QWidget;

namespace hehun::ui {

class EncyclopediaPage : public QObject {
  Q_OBJECT
 public:
  // Builds the buttons and the text area on `page`, which owns this object.
  explicit EncyclopediaPage(QWidget* page);

  // The name of the button property that holds the article key. Like a
  // hint that is never shown, it is not displayed anywhere.
  static constexpr const char* kKeyProperty = "hint";

  // Shows the article whose key the clicked button carries.
  void RzBitBtn6Click(QAbstractButton* button);

  QPlainTextEdit* memo() const { return memoBk_; }

 private:
  QPlainTextEdit* memoBk_ = nullptr;
};

}  // namespace hehun::ui
