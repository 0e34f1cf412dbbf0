#include "app/almanac_page.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "almanac/almanac_view.h"
#include "app/appearance.h"
#include "app/input_panels.h"
#include "app/ui_script.h"
#include "app/ui_services.h"

namespace hehun::ui {

namespace {

QPlainTextEdit* MakeTextArea(QGroupBox* group, const char* objectName) {
  auto* memo = new QPlainTextEdit(group);
  memo->setObjectName(QString::fromLatin1(objectName));
  memo->setReadOnly(true);
  memo->setFont(ReportFont(13));
  memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  auto* layout = new QVBoxLayout(group);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->addWidget(memo);
  return memo;
}

}  // namespace

AlmanacPage::AlmanacPage(QWidget* page, UiServices& services, PrintFn print)
    : QObject(page), page_(page), services_(services), print_(std::move(print)) {
  auto* strip = new QFrame(page);
  strip->setProperty("role", QStringLiteral("strip"));
  strip->setGeometry(4, 4, 782, 40);
  const int y = 12;
  MakeLabel(page, QStringLiteral("选择黄历："), QRect(14, y, 66, 24));
  // Exactly the years the almanac table holds.
  slYear_ = MakeCombo(page, "SlYear", QRect(80, y, 62, 24),
                      NumberItems(hehun::kFirstAlmanacYear, hehun::kLastAlmanacYear), true, -1);
  MakeLabel(page, QStringLiteral("年"), QRect(145, y, 14, 24));
  slMonth_ = MakeCombo(page, "SlMonth", QRect(162, y, 46, 24), NumberItems(1, 12, 2), true, -1);
  MakeLabel(page, QStringLiteral("月"), QRect(211, y, 14, 24));
  slDay_ = MakeCombo(page, "Slday", QRect(228, y, 46, 24), NumberItems(1, 31, 2), true, -1);
  MakeLabel(page, QStringLiteral("日"), QRect(277, y, 14, 24));
  auto* view = MakePageButton(page, "BtnHuangli", QStringLiteral("查看"), QRect(302, 10, 64, 28));
  auto* printButton = MakePageButton(page, "RzBitBtn3", QStringLiteral("打印"), QRect(372, 10, 64, 28));

  label61_ = new QLabel(page);
  label61_->setObjectName(QStringLiteral("Label61"));
  label61_->setGeometry(446, y, 330, 24);
  label61_->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
  label61_->setVisible(false);

  auto* result = new QGroupBox(QStringLiteral("测算结果："), page);
  result->setObjectName(QStringLiteral("GroupBoxHuangli"));
  result->setGeometry(4, 48, 500, 404);
  memoHuangli_ = MakeTextArea(result, "MemoHuangli");

  auto* glossary = new QGroupBox(QStringLiteral("黄历名词解释："), page);
  glossary->setObjectName(QStringLiteral("GroupBoxGlossary"));
  glossary->setGeometry(510, 48, 276, 404);
  memo3_ = MakeTextArea(glossary, "Memo3");
  memo3_->setFont(UiFont(12));
  ShowResultText(memo3_, FromUtf8(hehun::AlmanacGlossary()));

  connect(view, &QPushButton::clicked, this, &AlmanacPage::BtnHuangliClick);
  connect(printButton, &QPushButton::clicked, this, [this] { print_(memoHuangli_, QStringLiteral("本日黄历")); });
}

void AlmanacPage::BtnHuangliClick() {
  const hehun::AlmanacChoice choice{ToUtf8(slYear_->currentText()), ToUtf8(slMonth_->currentText()),
                                    ToUtf8(slDay_->currentText())};
  WindowMessages messages(services_, page_);
  hehun::LineList lines;
  std::string headline;
  hehun::AlmanacOutcome outcome;
  try {
    hehun::RefDb db;
    outcome = hehun::ViewAlmanacDay(choice, messages, db, headline, lines);
  } catch (const std::exception& error) {
    services_.ShowError(page_, FromUtf8(error.what()));
    return;
  }
  if (outcome != hehun::AlmanacOutcome::kShown) return;
  ShowLabelText(label61_, FromUtf8(headline), {});
  ShowResultText(memoHuangli_, FromUtf8(lines.Text()));
}

}  // namespace hehun::ui
