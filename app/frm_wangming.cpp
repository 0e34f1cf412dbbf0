// 网名与性格: the nickname dialog.
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "divination/pinyin.h"
#include "refdb/text.h"

namespace hehun::ui {

TFrmWangming::TFrmWangming(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFrmWangming"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("网名与性格"));
  setFont(UiFont(13));
  setStyleSheet(DialogStyleSheet());

  auto* input = new QFrame(this);
  input->setObjectName(QStringLiteral("RzGroupBox1"));
  input->setProperty("role", QStringLiteral("strip"));
  auto* caption = new QLabel(QStringLiteral("输入网名："), input);
  caption->setObjectName(QStringLiteral("RzLabel1"));
  caption->setProperty("role", QStringLiteral("caption"));
  caption->setAlignment(Qt::AlignCenter);
  caption->setFixedHeight(26);
  caption->setMinimumWidth(84);
  edtmun_ = new QLineEdit(input);
  edtmun_->setObjectName(QStringLiteral("edtmun"));
  edtmun_->setMaxLength(18);
  edtmun_->setFixedHeight(26);
  edtmun_->setMinimumWidth(170);
  edtmun_->setFont(UiFont(14));
  edtmun_->installEventFilter(this);
  // Letters are shown and analysed in upper case, as typed into the box.
  connect(edtmun_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int cursor = edtmun_->cursorPosition();
    edtmun_->setText(upper);
    edtmun_->setCursorPosition(cursor);
  });
  auto* run = new QPushButton(QStringLiteral("测算"), input);
  run->setObjectName(QStringLiteral("RzBitBtn1"));
  auto* close = new QPushButton(QStringLiteral("关闭"), input);
  close->setObjectName(QStringLiteral("RzBitBtn2"));
  for (QPushButton* b : {run, close}) {
    b->setAutoDefault(false);
    b->setFixedSize(64, 28);
  }
  connect(run, &QPushButton::clicked, this, &TFrmWangming::RzBitBtn1Click);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* inputRow = new QHBoxLayout(input);
  inputRow->setContentsMargins(10, 10, 10, 10);
  inputRow->setSpacing(8);
  inputRow->addWidget(caption);
  inputRow->addWidget(edtmun_, 1);
  inputRow->addSpacing(4);
  inputRow->addWidget(run);
  inputRow->addWidget(close);

  auto* results = new QGroupBox(QStringLiteral("测算结果"), this);
  results->setObjectName(QStringLiteral("RzGroupBox2"));
  name_ = new QLabel(results);
  name_->setObjectName(QStringLiteral("RzLabel11"));
  name_->setProperty("role", QStringLiteral("nickname"));
  trait_ = new QLabel(results);
  trait_->setObjectName(QStringLiteral("RzLabel8"));
  trait_->setProperty("role", QStringLiteral("trait"));
  trait_->setWordWrap(true);
  trait_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  for (QLabel* l : {name_, trait_}) {
    l->setFont(UiFont(15));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  }
  auto* resultLayout = new QVBoxLayout(results);
  resultLayout->setContentsMargins(18, 24, 18, 14);
  resultLayout->setSpacing(12);
  resultLayout->addWidget(name_);
  resultLayout->addWidget(trait_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(10);
  layout->addWidget(input);
  layout->addWidget(results, 1);
  setFixedSize(500, 260);
}

void TFrmWangming::RzBitBtn1Click() {
  const std::string name = hehun::Trim(ToUtf8(edtmun_->text()));
  if (name.empty()) {
    ServicesOf(this).ShowInfo(this, FromUtf8(hehun::kNicknameEmptyMessage));
    return;
  }
  const hehun::NicknameResult r = hehun::AnalyseNickname(name);
  name_->setText(FromUtf8(r.nameLine));
  trait_->setText(FromUtf8(r.traitLine));
}

bool TFrmWangming::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtmun_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      RzBitBtn1Click();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hehun::ui
