#include "app/birthplace_field.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>

#include "app/input_panels.h"
#include "app/ui_script.h"
#include "app/ui_services.h"
#include "calendar/birth_time.h"
#include "calendar/places.h"

namespace hehun::ui {

namespace {

constexpr int kCheckWidth = 80;
constexpr int kGap = 4;
constexpr size_t kOffered = 40;  // places offered at most while typing

}  // namespace

BirthPlaceField::BirthPlaceField(QWidget* parent, const QString& caption, int labelWidth, const char* editName,
                                 const char* checkName, const QRect& area)
    : QObject(parent) {
  const int y = area.y(), h = area.height();
  MakeLabel(parent, caption, QRect(area.x(), y, labelWidth, h));
  const int editLeft = area.x() + labelWidth + kGap;
  const int editWidth = area.width() - labelWidth - kCheckWidth - 2 * kGap;

  edit_ = new QLineEdit(parent);
  edit_->setObjectName(QString::fromLatin1(editName));
  edit_->setGeometry(editLeft, y, editWidth, h);
  edit_->setPlaceholderText(QStringLiteral("留空按北京时间"));
  edit_->setToolTip(QStringLiteral("出生的省、市、县或海外城市，如“成都”“吉隆坡”；也可填东经度数，如“104.07”。\n"
                                   "留空则按北京时间排盘，不作校正。"));

  solarTime_ = new QCheckBox(QStringLiteral("真太阳时"), parent);
  solarTime_->setObjectName(QString::fromLatin1(checkName));
  solarTime_->setGeometry(editLeft + editWidth + kGap, y, kCheckWidth, h);
  solarTime_->setToolTip(QStringLiteral("按出生地的真太阳时排日柱和时柱；年柱、月柱仍按出生时刻与节气。"));
  solarTime_->setChecked(false);
  solarTime_->setEnabled(false);  // nothing to correct without a place

  // The places are looked up by the place table itself (short names, full
  // names, a city's districts), so the completer shows its list unfiltered.
  offers_ = new QStringListModel(this);
  completer_ = new QCompleter(offers_, this);
  completer_->setObjectName(QString::fromLatin1(editName) + QStringLiteral("Completer"));
  completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
  completer_->setMaxVisibleItems(12);
  edit_->setCompleter(completer_);

  connect(edit_, &QLineEdit::textEdited, this, &BirthPlaceField::OfferPlaces);
  connect(edit_, &QLineEdit::textChanged, this, &BirthPlaceField::PlaceTextChanged);
  connect(completer_, qOverload<const QString&>(&QCompleter::activated), this, [this] {
    solarTime_->setEnabled(true);
    solarTime_->setChecked(true);
  });
}

void BirthPlaceField::OfferPlaces(const QString& text) {
  QStringList names;
  for (const hehun::Place* place : hehun::SearchPlaces(ToUtf8(text), kOffered)) names << Shown(FromUtf8(place->full_name));
  offers_->setStringList(names);
}

void BirthPlaceField::PlaceTextChanged(const QString& text) {
  // 真太阳时 comes on when a place is given and goes off with it; in
  // between the user's choice stands.
  const bool hasPlace = !text.trimmed().isEmpty();
  if (hasPlace == hadPlace_) return;
  hadPlace_ = hasPlace;
  solarTime_->setEnabled(hasPlace);
  solarTime_->setChecked(hasPlace);
}

std::string BirthPlaceField::PlaceText() const { return ToUtf8(edit_->text()); }

bool BirthPlaceField::TrueSolarTime() const { return solarTime_->isChecked(); }

void BirthPlaceField::Fill(hehun::BirthRowTexts& texts) const {
  texts.place = PlaceText();
  texts.trueSolarTime = TrueSolarTime();
}

bool BirthPlaceField::CheckPlace(UiServices& services, QWidget* window) const {
  if (edit_->text().trimmed().isEmpty()) return true;
  try {
    (void)hehun::ParseBirthPlace(PlaceText());
    return true;
  } catch (const std::exception& error) {
    completer_->popup()->hide();
    services.ShowError(window, FromUtf8(error.what()));
    edit_->setFocus();
    edit_->selectAll();
    return false;
  }
}

bool CheckPlaces(std::initializer_list<const BirthPlaceField*> fields, UiServices& services, QWidget* window) {
  for (const BirthPlaceField* field : fields)
    if (field != nullptr && !field->CheckPlace(services, window)) return false;
  return true;
}

}  // namespace hehun::ui
