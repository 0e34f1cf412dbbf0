#include "app/folk/folk_common.h"

#include <QDialog>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/ui_script.h"
#include "app/ui_services.h"
#include "app/window_services.h"

namespace hehun::ui {

FolkResultArea::FolkResultArea(QWidget* parent) : QTextBrowser(parent) {
  setObjectName(QStringLiteral("MemoResult"));
  setFont(UiFont(14));
  setOpenLinks(false);
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  document()->setDocumentMargin(12);
  // The area converts its own lines (keeping the typed texts) instead of
  // being converted as a whole with the window.
  KeepScript(this);
  OnScriptChanged(this, [this] { Render(); });
}

void FolkResultArea::ShowLines(const hehun::LineList& lines, const LinesToHtml& render, const QStringList& kept) {
  resultText_ = FromUtf8(lines.Text());
  lines_ = lines.lines();
  render_ = render;
  kept_ = kept;
  hint_.clear();
  Render();
}

void FolkResultArea::ShowHint(const QString& text) {
  resultText_.clear();
  lines_.clear();
  hint_ = text;
  Render();
}

void FolkResultArea::Render() {
  if (!hint_.isEmpty() || !render_) {
    setHtml(QStringLiteral("<p style=\"color:#8a7058;\">%1</p>").arg(Shown(hint_).toHtmlEscaped()));
    return;
  }
  std::vector<std::string> shown;
  shown.reserve(lines_.size());
  for (const auto& line : lines_) shown.push_back(ToUtf8(Shown(FromUtf8(line), kept_)));
  setHtml(render_(shown));
  moveCursor(QTextCursor::Start);
}

bool RunFolkReport(QDialog* dialog, FolkResultArea* area, const LinesToHtml& render,
                   const std::function<bool(hehun::Messages&, hehun::LineSink&)>& report, const QStringList& kept) {
  UiServices& services = ServicesOf(dialog);
  WindowMessages messages(services, dialog);
  hehun::LineList lines;
  try {
    if (!report(messages, lines)) return false;
  } catch (const hehun::UserError& e) {
    services.ShowError(dialog, FromUtf8(e.what()));
    return false;
  } catch (const hehun::SilentAbort&) {
    return false;  // the reason has been shown already
  }
  area->ShowLines(lines, render, kept);
  return true;
}

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter || key->key() == Qt::Key_Backspace) return false;
  // Keys that type a character are filtered; editing and moving keys
  // (arrows, Delete, shortcuts such as pasting) are no characters.
  const QString text = key->text();
  if (text.size() == 1 && text[0].isPrint()) return !(text[0].isDigit() && text[0].unicode() < 0x80);
  return false;
}

PairStrip MakePairStrip(QDialog* dialog, const QString& firstCaption, const QString& secondCaption, int maxLength) {
  PairStrip strip;
  auto* frame = new QFrame(dialog);
  frame->setObjectName(QStringLiteral("RzGroupBox1"));
  frame->setProperty("role", QStringLiteral("strip"));
  strip.frame = frame;
  auto* grid = new QGridLayout(frame);
  grid->setContentsMargins(10, 10, 10, 10);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(8);
  const auto row = [&](int r, const QString& captionText, const char* name) {
    auto* caption = new QLabel(captionText, frame);
    caption->setObjectName(QStringLiteral("RzLabel%1").arg(r + 1));
    caption->setProperty("role", QStringLiteral("caption"));
    caption->setAlignment(Qt::AlignCenter);
    caption->setFixedHeight(26);
    caption->setMinimumWidth(96);
    auto* edit = new QLineEdit(frame);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(maxLength);
    edit->setFixedHeight(26);
    edit->setMinimumWidth(170);
    edit->setFont(UiFont(14));
    grid->addWidget(caption, r, 0);
    grid->addWidget(edit, r, 1);
    return edit;
  };
  strip.first = row(0, firstCaption, "EditFirst");
  strip.second = row(1, secondCaption, "EditSecond");
  strip.run = new QPushButton(QStringLiteral("测算"), frame);
  strip.run->setObjectName(QStringLiteral("RzBitBtn1"));
  auto* close = new QPushButton(QStringLiteral("关闭"), frame);
  close->setObjectName(QStringLiteral("RzBitBtn2"));
  for (QPushButton* b : {strip.run, close}) {
    b->setAutoDefault(false);
    b->setFixedSize(64, 28);
  }
  QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::close);
  for (QLineEdit* edit : {strip.first, strip.second})
    QObject::connect(edit, &QLineEdit::returnPressed, strip.run, &QPushButton::click);
  grid->addWidget(strip.run, 0, 2);
  grid->addWidget(close, 1, 2);
  grid->setColumnStretch(1, 1);
  return strip;
}

QLabel* MakeFolkNote(QWidget* parent, const QString& text) {
  auto* note = new QLabel(text, parent);
  note->setObjectName(QStringLiteral("LabelNote"));
  note->setProperty("role", QStringLiteral("folkNote"));
  note->setWordWrap(true);
  return note;
}

QString HeadingHtml(const QString& line) {
  return QStringLiteral("<p style=\"font-size:17px; font-weight:bold; color:#a31f22; margin-bottom:6px;\">%1</p>")
      .arg(line.toHtmlEscaped());
}

QString LabelledLineHtml(const QString& line, bool highlightValue) {
  const qsizetype colon = line.indexOf(QChar(0xFF1A));  // "："
  if (colon < 0) return ParagraphHtml(line);
  const QString label = line.left(colon + 1).toHtmlEscaped();
  const QString body = line.mid(colon + 1).toHtmlEscaped();
  return QStringLiteral("<p style=\"margin:3px 0;\"><b style=\"color:#6c1012;\">%1</b>%2</p>")
      .arg(label, highlightValue ? QStringLiteral("<b style=\"color:#a31f22;\">%1</b>").arg(body) : body);
}

QString ParagraphHtml(const QString& line, const QString& style) {
  return QStringLiteral("<p style=\"margin:3px 0; %1\">%2</p>").arg(style, line.toHtmlEscaped());
}

QString FolkStyleSheet() {
  return DialogStyleSheet() + QStringLiteral(R"(
QTextBrowser { background: #fffdf8; border: 1px solid #dcc59a; }
QListWidget { background: #fffdf8; border: 1px solid #dcc59a; }
QListWidget::item { padding: 4px 6px; }
QListWidget::item:selected { background: #a31f22; color: #fff7e6; }
QLabel[role="folkNote"] { color: #8a7058; }
)");
}

}  // namespace hehun::ui
