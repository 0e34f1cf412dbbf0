// The 出生地 of one person's panel: a label, a box that offers the places of
// the place table as one types (成都 → 四川省成都市 and its districts), and
// the check box 真太阳时, switched on when a place is chosen. An empty box
// means Beijing time without correction, as before there was a place.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>
#include <initializer_list>
#include <string>

#include "calendar/birth_row.h"

class QCheckBox;
class QCompleter;
class QLineEdit;
class QStringListModel;
class QWidget;

namespace hehun::ui {

class UiServices;

class BirthPlaceField : public QObject {
  Q_OBJECT
 public:
  // Builds the label `caption` (`labelWidth` wide), the place box
  // `editName` and the check box `checkName` on `parent`, side by side
  // within `area`.
  BirthPlaceField(QWidget* parent, const QString& caption, int labelWidth, const char* editName,
                  const char* checkName, const QRect& area);

  QLineEdit* Edit() const { return edit_; }
  QCheckBox* SolarTime() const { return solarTime_; }
  QCompleter* Completer() const { return completer_; }

  std::string PlaceText() const;  // as typed
  bool TrueSolarTime() const;
  // Puts the place and the 真太阳时 choice into a row's texts.
  void Fill(hehun::BirthRowTexts& texts) const;

  // Reads the place as the reports will: an empty box passes; a place the
  // table does not know (or a bad longitude) shows the core's message with
  // its near candidates and puts the cursor back into the box: false.
  bool CheckPlace(UiServices& services, QWidget* window) const;

 private:
  void OfferPlaces(const QString& text);
  void PlaceTextChanged(const QString& text);

  QLineEdit* edit_ = nullptr;
  QCheckBox* solarTime_ = nullptr;
  QCompleter* completer_ = nullptr;
  QStringListModel* offers_ = nullptr;
  bool hadPlace_ = false;
};

// Checks each field in turn (null ones are skipped); false at the first
// place refused.
bool CheckPlaces(std::initializer_list<const BirthPlaceField*> fields, UiServices& services, QWidget* window);

}  // namespace hehun::ui
