// The dialog "从档案中选取": a search box (name, note or tag, searched as
// one types) over the list of saved people with their sex and birth; Enter
// or a double click takes the highlighted person, Esc closes.
#pragma once

#include <QDialog>
#include <optional>

#include "records/person.h"

class QLabel;
class QLineEdit;
class QTableView;
class QTimer;

namespace hehun::ui {

class PeopleModel;
class RecordsStore;

class PersonPicker : public QDialog {
  Q_OBJECT
 public:
  // `sex` ("男", "女" or empty) is the panel's; a person of the other sex is
  // refused with a message.
  PersonPicker(RecordsStore& store, const QString& sex, QWidget* parent);

  // The person taken, once the dialog was accepted.
  const std::optional<records::Person>& Chosen() const { return chosen_; }

  void accept() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void UpdateCount();

  QString sex_;
  PeopleModel* model_ = nullptr;
  QLineEdit* search_ = nullptr;
  QTableView* table_ = nullptr;
  QLabel* count_ = nullptr;
  QTimer* searchDelay_ = nullptr;
  std::optional<records::Person> chosen_;
};

}  // namespace hehun::ui
