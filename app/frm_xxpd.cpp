#include "app/frm_xxpd.h"

#include "app/ui_services.h"
#include "bazi/matching.h"

namespace hehun::ui {

namespace {

std::optional<int> BloodOf(const QString& text) {
  const int i = hehun::BloodTypeIndex(ToUtf8(text));
  if (i < 0) return std::nullopt;
  return i;
}

}  // namespace

TFrmXxpd::TFrmXxpd(QWidget* parent, const CoupleEntries& defaults)
    : MatchDialog(parent, "TFrmXxpd", QStringLiteral("血型配对"),
                  QStringLiteral("依流行的血型性格之说，看两人的性情是否合拍。"), QStringLiteral("血型"),
                  {QStringLiteral("A型"), QStringLiteral("B型"), QStringLiteral("O型"), QStringLiteral("AB型")},
                  hehun::WriteBloodMatch) {
  SetChoices(BloodOf(defaults.manBlood), BloodOf(defaults.womanBlood));
}

}  // namespace hehun::ui
