// 血型配对: two blood types, by default those chosen on the page 合婚.
#pragma once

#include "app/match_dialog.h"

namespace hehun::ui {

class TFrmXxpd : public MatchDialog {
  Q_OBJECT
 public:
  explicit TFrmXxpd(QWidget* parent = nullptr, const CoupleEntries& defaults = {});
};

}  // namespace hehun::ui
