#include "app/frm_xzpd.h"

#include "app/ui_services.h"
#include "bazi/matching.h"

namespace hehun::ui {

TFrmXzpd::TFrmXzpd(QWidget* parent, const CoupleEntries& defaults)
    : MatchDialog(parent, "TFrmXzpd", QStringLiteral("星座配对"),
                  QStringLiteral("由两个星座的元素、宫位和相位，看两人是否投缘。"), QStringLiteral("星座"),
                  [] {
                    QStringList items;
                    for (auto sign : hehun::kStarSigns) items << FromUtf8(sign);
                    return items;
                  }(),
                  hehun::WriteSignMatch) {
  SetChoices(hehun::SignOfRow(defaults.man), hehun::SignOfRow(defaults.woman));
}

}  // namespace hehun::ui
