// What the four folk dialogs of the function page share (缘分测试, QQ号缘分,
// 周公解梦, 文字五行): the result area, the digits-only key filter of the QQ
// boxes, and running a core report with its messages shown through the
// window's services.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTextBrowser>
#include <functional>
#include <string>
#include <vector>

#include "refdb/line_sink.h"
#include "refdb/messages.h"

class QDialog;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace hehun::ui {

// How a dialog turns the core's lines into the rich text it shows.
using LinesToHtml = std::function<QString(const std::vector<std::string>&)>;

// The result area `MemoResult`: read-only text that can be selected and
// copied. It keeps the plain lines it shows, so that what is shown and what
// the core wrote can be compared.
class FolkResultArea : public QTextBrowser {
  Q_OBJECT
 public:
  explicit FolkResultArea(QWidget* parent);
  // Shows the lines as `render` lays them out, in the window's script; the
  // `kept` texts (what the user typed) stay as typed.
  void ShowLines(const hehun::LineList& lines, const LinesToHtml& render, const QStringList& kept = {});
  // A grey note in place of a result (before the first one).
  void ShowHint(const QString& text);
  // The shown result as plain lines joined by line breaks; empty for a hint.
  QString ResultText() const { return resultText_; }

 private:
  // Lays out what is held again, in the script now chosen.
  void Render();

  QString resultText_;
  std::vector<std::string> lines_;
  LinesToHtml render_;
  QStringList kept_;
  QString hint_;
};

// Runs `report` into a fresh line list with the messages of `dialog`'s
// window: a refused input (the report returns false) leaves the area as it
// was; a reference file that cannot be read shows its error. Returns true
// when the lines were shown.
bool RunFolkReport(QDialog* dialog, FolkResultArea* area, const LinesToHtml& render,
                   const std::function<bool(hehun::Messages&, hehun::LineSink&)>& report,
                   const QStringList& kept = {});

// Keeps only ASCII digits out of the typed characters of a box (backspace,
// Enter and the editing keys pass), like the QQ box of the number dialog.
class DigitKeyFilter : public QObject {
  Q_OBJECT
 public:
  explicit DigitKeyFilter(QObject* parent) : QObject(parent) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// The input strip with two boxes, one under the other: a caption and a box
// in each row, "测算" (`RzBitBtn1`) beside the first and "关闭" (`RzBitBtn2`,
// closing `dialog`) beside the second. The boxes are `EditFirst` and
// `EditSecond`; Enter in either runs what "测算" runs.
struct PairStrip {
  QWidget* frame = nullptr;
  QLineEdit* first = nullptr;
  QLineEdit* second = nullptr;
  QPushButton* run = nullptr;
};
PairStrip MakePairStrip(QDialog* dialog, const QString& firstCaption, const QString& secondCaption, int maxLength);

// The grey note under an input strip (`LabelNote`).
QLabel* MakeFolkNote(QWidget* parent, const QString& text);

// Rich-text pieces: a heading line, a "标签：内容" line with its label set
// off, and a plain paragraph.
QString HeadingHtml(const QString& line);
QString LabelledLineHtml(const QString& line, bool highlightValue = false);
QString ParagraphHtml(const QString& line, const QString& style = {});

// The style the folk dialogs add to the tool dialogs' sheet.
QString FolkStyleSheet();

}  // namespace hehun::ui
