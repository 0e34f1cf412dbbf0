// 手机号码测算: the mobile-number dialog.
#include <QLineEdit>
#include <QShowEvent>

#include "app/divination_dialogs.h"

namespace hehun::ui {

TFrm_SJcs::TFrm_SJcs(QWidget* parent) : NumberDialog(hehun::NumberKind::kMobile, "TFrm_SJcs", parent) {}

void TFrm_SJcs::showEvent(QShowEvent* event) {
  NumberDialog::showEvent(event);
  if (!event->spontaneous() && !edtmun_->text().trimmed().isEmpty()) RzBitBtn1Click();
}

}  // namespace hehun::ui
