// QQ号码测试: the QQ-number dialog.
#include "app/divination_dialogs.h"

namespace hehun::ui {

TFrmQQhm::TFrmQQhm(QWidget* parent) : NumberDialog(hehun::NumberKind::kQq, "TFrmQQhm", parent) {}

}  // namespace hehun::ui
