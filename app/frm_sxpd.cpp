#include "app/frm_sxpd.h"

#include "app/ui_services.h"
#include "bazi/matching.h"

namespace hehun::ui {

TFrmSxpd::TFrmSxpd(QWidget* parent, const CoupleEntries& defaults)
    : MatchDialog(parent, "TFrmSxpd", QStringLiteral("生肖配对"),
                  QStringLiteral("按传统的六合、三合、冲、害、刑、破之说，看两人属相是否相宜。"),
                  QStringLiteral("生肖"),
                  [] {
                    QStringList items;
                    for (auto animal : hehun::kZodiacAnimals) items << FromUtf8(animal);
                    return items;
                  }(),
                  hehun::WriteZodiacMatch) {
  SetChoices(hehun::AnimalOfRow(defaults.man), hehun::AnimalOfRow(defaults.woman));
}

}  // namespace hehun::ui
