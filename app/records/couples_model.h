// The saved couples as a table: both names with their numbers, the day of
// the last match and the note. Couples are few beside people (one for each
// match a user keeps), so the whole list is read at once.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "records/person.h"

class QWidget;

namespace hehun::ui {

class RecordsStore;

class CouplesModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kId, kMan, kWoman, kLastMatched, kNote, kColumnCount };

  struct Row {
    records::Couple couple;
    records::Person man, woman;
  };

  CouplesModel(RecordsStore& store, QWidget* owner, QObject* parent = nullptr);
  void Reload();
  const Row& RowAt(int row) const { return rows_[static_cast<size_t>(row)]; }
  int RowOfId(int64_t id) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  RecordsStore& store_;
  QWidget* owner_;
  std::vector<Row> rows_;
};

}  // namespace hehun::ui
