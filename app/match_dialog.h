// The matching dialog of the function page in its three kinds (生肖配对,
// 星座配对, 血型配对): a heading, one list for the man and one for the woman,
// and the result, which follows every change of the two lists. The lists
// start from the entries of the page 合婚: the animals of the birth years,
// the star signs of the birth dates, the chosen blood types.
#pragma once

#include <QDialog>
#include <QStringList>
#include <optional>

#include "app/input_panels.h"
#include "calendar/birth_row.h"

class QComboBox;
class QLabel;
class QTextBrowser;

namespace hehun {
class LineSink;
class RefDb;
}  // namespace hehun

namespace hehun::ui {

// What the matching dialogs take from the page 合婚 when they open.
struct CoupleEntries {
  hehun::BirthRowTexts man, woman;
  QString manBlood, womanBlood;  // "" or "A型", "B型", "O型", "AB型"
};
CoupleEntries CoupleOf(const BirthRowControls& man, const BirthRowControls& woman);

enum class MatchKind { kZodiac, kSign, kBlood };

class MatchDialog : public QDialog {
  Q_OBJECT
 public:
  using Writer = void (*)(hehun::LineSink&, hehun::RefDb&, int, int);

  // The object name tells the kinds apart: TFrmSxpd (zodiac), TFrmXzpd
  // (sign), TFrmXxpd (blood).
  MatchDialog(QWidget* parent, MatchKind kind, const CoupleEntries& defaults = {});

  QComboBox* ManList() const { return man_; }
  QComboBox* WomanList() const { return woman_; }
  // The result as plain text, one line per result line.
  QString ResultText() const;

 private:
  // What tells the kinds apart. `items` are the list entries, in the order
  // of the indexes `write` takes.
  struct KindTexts {
    const char* objectName;
    QString title, intro, itemKind;
    QStringList items;
    Writer write;
  };
  static KindTexts TextsOf(MatchKind kind);
  MatchDialog(QWidget* parent, const KindTexts& texts);
  // Selects the defaults (no selection for an empty one) and shows the result.
  void SetChoices(std::optional<int> man, std::optional<int> woman);
  void ShowResult();

  Writer write_;
  QString itemKind_;
  QComboBox* man_ = nullptr;
  QComboBox* woman_ = nullptr;
  QTextBrowser* result_ = nullptr;
  QString resultText_;
};

}  // namespace hehun::ui
