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
#include "app/nickname_dialog.h"
#include "app/ui_script.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "divination/pinyin.h"
#include "refdb/text.h"

namespace hehun::ui {

NicknameDialog::NicknameDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFrmWangming"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("网名与性格"));
  setFont(UiFont(13));
  setStyleSheet(DialogStyleSheet());

  const InputStrip strip = MakeInputStrip(this, QStringLiteral("输入网名："), 18);
  QFrame* input = strip.frame;
  edtmun_ = strip.edit;
  edtmun_->installEventFilter(this);
  // Letters are shown and analysed in upper case, as typed into the box.
  connect(edtmun_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString upper = text.toUpper();
    if (upper == text) return;
    const int cursor = edtmun_->cursorPosition();
    edtmun_->setText(upper);
    edtmun_->setCursorPosition(cursor);
  });
  connect(strip.run, &QPushButton::clicked, this, &NicknameDialog::RzBitBtn1Click);
  auto* inputLayout = new QVBoxLayout(input);
  inputLayout->setContentsMargins(10, 10, 10, 10);
  inputLayout->addLayout(strip.row);

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

void NicknameDialog::RzBitBtn1Click() {
  const std::string name = hehun::Trim(ToUtf8(edtmun_->text()));
  if (name.empty()) {
    ServicesOf(this).ShowInfo(this, FromUtf8(hehun::kNicknameEmptyMessage));
    return;
  }
  const hehun::NicknameResult r = hehun::AnalyseNickname(name);
  // The nickname stays as typed inside the converted lines.
  ShowLabelText(name_, FromUtf8(r.nameLine), {FromUtf8(name)});
  ShowLabelText(trait_, FromUtf8(r.traitLine), {FromUtf8(name)});
}

bool NicknameDialog::eventFilter(QObject* watched, QEvent* event) {
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
