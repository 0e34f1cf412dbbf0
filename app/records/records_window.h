// The window 档案: the saved people (searched as one types, read a page at a
// time), their note and tags, the saved couples, deleting with a question,
// CSV import and export, and opening a couple straight into the page 合婚.
// When the archive cannot be used the window says why at its top.
#pragma once

#include <QDialog>
#include <functional>

#include "records/person.h"

class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QTimer;

namespace hehun::ui {

class CouplesModel;
class PeopleModel;
class RecordsStore;

class RecordsWindow : public QDialog {
  Q_OBJECT
 public:
  // Fills the page 合婚 with the couple and runs its report; true when the
  // report was complete (the couple's match day is then recorded).
  using OpenCoupleFn = std::function<bool(const records::Person& man, const records::Person& woman)>;

  RecordsWindow(RecordsStore& store, OpenCoupleFn openCouple, std::function<hehun::Ymd()> today, QWidget* parent);

  // Reads both lists again from the archive.
  void Reload();

  // The buttons' actions.
  void SavePersonNote();
  void DeleteSelectedPeople();
  void MatchSelectedPeople();
  void SaveCoupleNote();
  void OpenSelectedCouple();
  void DeleteSelectedCouple();
  void ImportCsv();
  void ExportCsv();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildPeopleTab();
  QWidget* BuildCouplesTab();
  void ShowCurrentPerson();
  void ShowCurrentCouple();
  void UpdateStatus();
  void OpenCouple(int64_t coupleId, const records::Person& man, const records::Person& woman);
  std::vector<int> SelectedPeopleRows() const;

  RecordsStore& store_;
  OpenCoupleFn openCouple_;
  std::function<hehun::Ymd()> today_;
  PeopleModel* people_ = nullptr;
  CouplesModel* couples_ = nullptr;
  QLabel* status_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  QLineEdit* search_ = nullptr;
  QLabel* count_ = nullptr;
  QTableView* peopleTable_ = nullptr;
  QLabel* personTitle_ = nullptr;
  QLineEdit* tagsEdit_ = nullptr;
  QPlainTextEdit* noteEdit_ = nullptr;
  QTableView* couplesTable_ = nullptr;
  QLineEdit* coupleNoteEdit_ = nullptr;
  QTimer* searchDelay_ = nullptr;
  QFileDialog* importDialog_ = nullptr;
  QFileDialog* exportDialog_ = nullptr;
  QList<QWidget*> archiveControls_;  // disabled while the archive cannot be used
};

}  // namespace hehun::ui
