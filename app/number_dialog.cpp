// The number dialog in its three kinds: the arrangement and the calculation.
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/number_dialog.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "divination/number_divination.h"

namespace hehun::ui {

namespace {

QLabel* ResultLabel(QWidget* parent, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  label->setProperty("role", QStringLiteral("result"));
  return label;
}

const char* ObjectNameOf(hehun::NumberKind kind) {
  switch (kind) {
    case hehun::NumberKind::kMobile:
      return "TFrm_SJcs";
    case hehun::NumberKind::kQq:
      return "TFrmQQhm";
    case hehun::NumberKind::kAny:
      break;
  }
  return "TFrm_onther";
}

}  // namespace

NumberDialog::NumberDialog(QWidget* parent, hehun::NumberKind kind) : QDialog(parent), kind_(kind) {
  const hehun::NumberKindTexts& texts = hehun::TextsOf(kind);
  setObjectName(QString::fromLatin1(ObjectNameOf(kind)));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(FromUtf8(texts.windowCaption));
  setFont(UiFont(13));
  setStyleSheet(DialogStyleSheet());

  // The number.
  const InputStrip strip = MakeInputStrip(this, FromUtf8(texts.inputCaption), texts.maxLength);
  QFrame* input = strip.frame;
  edtmun_ = strip.edit;
  edtmun_->setInputMethodHints(Qt::ImhDigitsOnly);
  edtmun_->setAttribute(Qt::WA_InputMethodEnabled, false);
  edtmun_->installEventFilter(this);
  connect(strip.run, &QPushButton::clicked, this, &NumberDialog::RzBitBtn1Click);

  auto* inputLayout = new QVBoxLayout(input);
  inputLayout->setContentsMargins(10, 10, 10, 10);
  inputLayout->setSpacing(6);
  inputLayout->addLayout(strip.row);
  if (kind == hehun::NumberKind::kMobile) {
    auto* hint = new QLabel(QStringLiteral("请注意：手机号码是11位，请正确输入。"), input);
    hint->setObjectName(QStringLiteral("RzLabel2"));
    hint->setProperty("role", QStringLiteral("hint"));
    hint->setContentsMargins(92, 0, 0, 0);
    inputLayout->addWidget(hint);
  }

  // The four result rows.
  auto* results = new QGroupBox(QStringLiteral("测算结果"), this);
  results->setObjectName(QStringLiteral("RzGroupBox2"));
  number_ = ResultLabel(results, "RzLabel11");
  state_ = ResultLabel(results, "RzLabel10");
  grade_ = ResultLabel(results, "RzLabel9");
  detail_ = ResultLabel(results, "RzLabel8");
  number_->setProperty("role", QStringLiteral("number"));
  grade_->setProperty("role", QStringLiteral("grade"));
  state_->setWordWrap(true);
  detail_->setWordWrap(true);
  detail_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  detail_->setMinimumHeight(150);
  const std::string_view captions[] = {texts.numberCaption, hehun::kStateCaption, hehun::kGradeCaption,
                                       hehun::kDetailCaption};
  QLabel* values[] = {number_, state_, grade_, detail_};
  auto* grid = new QGridLayout(results);
  grid->setContentsMargins(14, 22, 14, 12);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(10);
  for (int row = 0; row < 4; ++row) {
    auto* c = new QLabel(FromUtf8(captions[row]), results);
    c->setObjectName(QStringLiteral("RzLabel%1").arg(7 - row));
    c->setProperty("role", QStringLiteral("rowCaption"));
    c->setAlignment(Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(c, row, 0);
    grid->addWidget(values[row], row, 1);
  }
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 12);
  layout->setSpacing(10);
  layout->addWidget(input);
  layout->addWidget(results, 1);
  if (kind == hehun::NumberKind::kMobile) {
    auto* note = new QLabel(
        QStringLiteral("注：有些人会问，手机号码为什么会影响一个人的运势？其实这就像风水、阳宅会影响运势命运的意义是一样"
                       "的。虽然这只是一个号码，但是它与您的生活息息相关，也代表您与所有人的沟通桥梁！"),
        this);
    note->setObjectName(QStringLiteral("RzLabel3"));
    note->setProperty("role", QStringLiteral("note"));
    note->setWordWrap(true);
    layout->addWidget(note);
  }
  setFixedSize(500, kind == hehun::NumberKind::kMobile ? 470 : 400);
}

void NumberDialog::RzBitBtn1Click() {
  UiServices& services = ServicesOf(this);
  WindowMessages messages(services, this);
  try {
    hehun::RefDb db;
    const auto result = hehun::RunNumberDivination(kind_, ToUtf8(edtmun_->text()), db, messages);
    if (!result) return;
    for (QLabel* l : {number_, state_, grade_, detail_}) l->clear();
    number_->setText(FromUtf8(result->number));
    state_->setText(FromUtf8(result->state));
    grade_->setText(FromUtf8(result->grade));
    detail_->setText(FromUtf8(result->detail));
  } catch (const hehun::UserError& e) {
    services.ShowError(this, FromUtf8(e.what()));
  } catch (const hehun::SilentAbort&) {
    // The fortune table could not be read: the results stay as they were.
  }
}

void NumberDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (kind_ == hehun::NumberKind::kMobile && !event->spontaneous() && !edtmun_->text().trimmed().isEmpty())
    RzBitBtn1Click();
}

bool NumberDialog::edtmunKeyPress(QChar key) {
  if (key == QLatin1Char('\r')) {
    RzBitBtn1Click();
    return true;
  }
  return !(key.isDigit() && key.unicode() < 0x80) && key != QLatin1Char('\b');
}

bool NumberDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edtmun_ && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return edtmunKeyPress(QLatin1Char('\r'));
    if (key->key() == Qt::Key_Backspace) return false;
    // Keys that type a character go through the filter; editing and
    // moving keys (arrows, Delete, shortcuts) are no characters.
    const QString text = key->text();
    if (text.size() == 1 && text[0].isPrint()) return edtmunKeyPress(text[0]);
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hehun::ui
