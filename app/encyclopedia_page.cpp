#include "app/encyclopedia_page.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStringList>
#include <QTextCursor>
#include <array>

#include "app/appearance.h"
#include "app/ui_script.h"
#include "app/ui_services.h"
#include "knowledge/encyclopedia.h"
#include "refdb/refdb.h"

namespace hehun::ui {

namespace {

// Object names of the article buttons, in the order of the articles.
constexpr std::array<const char*, 10> kButtonNames{"RzBitBtn6",  "RzBitBtn9",  "RzBitBtn10", "RzBitBtn11",
                                                   "RzBitBtn12", "RzBitBtn13", "RzBitBtn17", "RzBitBtn28",
                                                   "RzBitBtn18", "RzBitBtn19"};
static_assert(kButtonNames.size() == hehun::kEncyclopediaEntries.size());

constexpr int kColumnWidth = 144;
constexpr int kButtonHeight = 34;
constexpr int kButtonStep = 43;

QString IntroText() {
  QStringList lines;
  for (std::string_view line : hehun::kEncyclopediaIntro) lines << FromUtf8(line);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

EncyclopediaPage::EncyclopediaPage(QWidget* page) : QObject(page) {
  setObjectName(QStringLiteral("EncyclopediaPage"));

  auto* column = new QFrame(page);
  column->setProperty("role", QStringLiteral("strip"));
  column->setGeometry(4, 4, kColumnWidth, 448);

  for (size_t i = 0; i < kButtonNames.size(); ++i) {
    const hehun::EncyclopediaEntry& entry = hehun::kEncyclopediaEntries[i];
    auto* button = new QPushButton(FromUtf8(entry.title), page);
    button->setObjectName(QString::fromLatin1(kButtonNames[i]));
    button->setProperty(kKeyProperty, FromUtf8(entry.key));
    button->setGeometry(14, 16 + static_cast<int>(i) * kButtonStep, kColumnWidth - 20, kButtonHeight);
    button->setCursor(Qt::PointingHandCursor);
    connect(button, &QPushButton::clicked, this, [this, button] { RzBitBtn6Click(button); });
  }

  memoBk_ = new QPlainTextEdit(page);
  memoBk_->setObjectName(QStringLiteral("MemoBk"));
  memoBk_->setReadOnly(true);
  memoBk_->setFont(UiFont(12));
  memoBk_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memoBk_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memoBk_->setGeometry(kColumnWidth + 10, 4, 786 - kColumnWidth - 10, 448);
  ShowResultText(memoBk_, IntroText());
}

void EncyclopediaPage::RzBitBtn6Click(QAbstractButton* button) {
  const QString key = button->property(kKeyProperty).toString().trimmed();
  if (key.isEmpty()) return;

  hehun::RefDb db;  // one read-only connection for this click, closed at its end
  memoBk_->clear();
  std::string text;
  try {
    text = hehun::EncyclopediaArticle(db, ToUtf8(key));
  } catch (const hehun::SilentAbort&) {
    return;  // the database cannot be read: the area stays empty, no message
  }
  ShowResultText(memoBk_, FromUtf8(text));

  // Bring the start of the article into view.
  QTextCursor top = memoBk_->textCursor();
  top.movePosition(QTextCursor::Start);
  memoBk_->setTextCursor(top);
  memoBk_->verticalScrollBar()->setValue(0);
}

}  // namespace hehun::ui
