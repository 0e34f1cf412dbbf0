// 任意号码分析: the any-number dialog.
#include "app/divination_dialogs.h"

namespace hehun::ui {

TFrm_onther::TFrm_onther(QWidget* parent) : NumberDialog(hehun::NumberKind::kAny, "TFrm_onther", parent) {}

}  // namespace hehun::ui
