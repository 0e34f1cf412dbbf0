// 生肖配对: two zodiac animals, by default those of the birth years on the page 合婚.
#pragma once

#include "app/match_dialog.h"

namespace hehun::ui {

class TFrmSxpd : public MatchDialog {
  Q_OBJECT
 public:
  explicit TFrmSxpd(QWidget* parent = nullptr, const CoupleEntries& defaults = {});
};

}  // namespace hehun::ui
