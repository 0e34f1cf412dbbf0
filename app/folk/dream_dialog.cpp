#include "app/folk/dream_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/folk/folk_common.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "knowledge/dream_book.h"
#include "refdb/refdb.h"

namespace hehun::ui {

namespace {

// The count line as the heading, each entry's "【分类】梦境" line in red
// with its reading under it.
QString DreamHtml(const std::vector<std::string>& lines) {
  QString html;
  for (size_t i = 0; i < lines.size(); ++i) {
    const QString line = FromUtf8(lines[i]);
    if (i == 0) {
      html += HeadingHtml(line);
    } else if (line.startsWith(QStringLiteral("【"))) {
      const qsizetype close = line.indexOf(QStringLiteral("】"));
      html += QStringLiteral("<p style=\"margin:10px 0 2px 0;\"><span style=\"color:#8a7058;\">%1</span>"
                             "<b style=\"color:#a31f22;\">%2</b></p>")
                  .arg(line.left(close + 1).toHtmlEscaped(), line.mid(close + 1).toHtmlEscaped());
    } else {
      html += ParagraphHtml(line.trimmed(), QStringLiteral("margin-left:14px; line-height:150%;"));
    }
  }
  return html;
}

}  // namespace

DreamDialog::DreamDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFrmZhougong"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("周公解梦"));
  setFont(UiFont(13));
  setStyleSheet(FolkStyleSheet());

  const InputStrip strip = MakeInputStrip(this, QStringLiteral("梦见什么："), 40);
  edit_ = strip.edit;
  edit_->setPlaceholderText(QStringLiteral("如：蛇、掉牙、下雨"));
  strip.run->setText(QStringLiteral("查询"));
  connect(strip.run, &QPushButton::clicked, this, &DreamDialog::Search);
  connect(edit_, &QLineEdit::returnPressed, this, &DreamDialog::Search);
  auto* inputLayout = new QVBoxLayout(strip.frame);
  inputLayout->setContentsMargins(10, 10, 10, 10);
  inputLayout->addLayout(strip.row);

  QLabel* note = MakeFolkNote(this, QStringLiteral("输入梦中的事物或情景查询，几个词用空格隔开时找同时含有这些词的梦；"
                                                   "也可以在左边选一个分类，逐条浏览。解梦为民间传统说法，仅供参考。"));

  auto* categoryBox = new QGroupBox(QStringLiteral("梦境分类"), this);
  categoryBox->setObjectName(QStringLiteral("GroupCategories"));
  categories_ = new QListWidget(categoryBox);
  categories_->setObjectName(QStringLiteral("ListCategories"));
  categories_->setFont(UiFont(14));
  auto* categoryLayout = new QVBoxLayout(categoryBox);
  categoryLayout->setContentsMargins(8, 22, 8, 8);
  categoryLayout->addWidget(categories_);
  categoryBox->setFixedWidth(150);

  auto* results = new QGroupBox(QStringLiteral("解梦结果"), this);
  results->setObjectName(QStringLiteral("RzGroupBox2"));
  result_ = new FolkResultArea(results);
  result_->ShowHint(QStringLiteral("在上方输入梦见的事物，按“查询”或回车；或在左边选择分类浏览。"));
  auto* resultLayout = new QVBoxLayout(results);
  resultLayout->setContentsMargins(10, 22, 10, 10);
  resultLayout->addWidget(result_);

  auto* body = new QHBoxLayout;
  body->setSpacing(10);
  body->addWidget(categoryBox);
  body->addWidget(results, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(8);
  layout->addWidget(strip.frame);
  layout->addWidget(note);
  layout->addLayout(body, 1);
  setFixedSize(720, 560);

  FillCategories();
  // Chosen by mouse or keys alike; a search takes the choice away again.
  connect(categories_, &QListWidget::currentRowChanged, this, &DreamDialog::Browse);
}

void DreamDialog::FillCategories() {
  try {
    hehun::RefDb db;
    for (const auto& [category, count] : hehun::DreamCategories(db)) {
      auto* item = new QListWidgetItem(QStringLiteral("%1（%2）").arg(FromUtf8(category)).arg(count), categories_);
      item->setData(Qt::UserRole, FromUtf8(category));
    }
  } catch (const hehun::UserError& e) {
    ServicesOf(this).ShowError(this, FromUtf8(e.what()));
  } catch (const hehun::SilentAbort&) {
    // The book could not be opened and has said so; the list stays empty.
  }
}

void DreamDialog::Search() {
  const std::string text = ToUtf8(edit_->text());
  const bool shown = RunFolkReport(this, result_, DreamHtml, [&](hehun::Messages& messages, hehun::LineSink& out) {
    hehun::RefDb db;
    return hehun::DreamSearchReport(db, text, messages, out);
  });
  if (shown) {
    const QSignalBlocker quiet(categories_);
    categories_->setCurrentRow(-1);
  }
}

void DreamDialog::Browse(int row) {
  QListWidgetItem* item = categories_->item(row);
  if (item == nullptr) return;
  const std::string category = ToUtf8(item->data(Qt::UserRole).toString());
  RunFolkReport(this, result_, DreamHtml, [&](hehun::Messages& messages, hehun::LineSink& out) {
    hehun::RefDb db;
    return hehun::DreamCategoryBrowse(db, category, messages, out);
  });
}

QString DreamDialog::ResultText() const { return result_->ResultText(); }

}  // namespace hehun::ui
