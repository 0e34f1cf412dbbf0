// 星座配对: two star signs, by default those of the birth dates on the page 合婚.
#pragma once

#include "app/match_dialog.h"

namespace hehun::ui {

class TFrmXzpd : public MatchDialog {
  Q_OBJECT
 public:
  explicit TFrmXzpd(QWidget* parent = nullptr, const CoupleEntries& defaults = {});
};

}  // namespace hehun::ui
