// The people of the archive as a table for a view, read a page at a time:
// the first page when the search text is set, the next ones as the view
// scrolls (canFetchMore/fetchMore), so that a list of 100,000 people opens
// at once and holds only the rows seen so far.
#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "records/person.h"

class QWidget;

namespace hehun::ui {

class RecordsStore;

class PeopleModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kId, kName, kSex, kBirth, kPlace, kBlood, kTags, kNote, kColumnCount };
  static constexpr int kPageSize = 200;

  // Messages about the archive open over `owner`.
  PeopleModel(RecordsStore& store, QWidget* owner, QObject* parent = nullptr);

  // Starts the list again with the people whose name, note or tags contain
  // `text`, and counts them.
  void SetSearch(const QString& text);
  // Reads the list again from the start (after a change), same search.
  void Reload();
  QString Search() const { return search_; }
  // How many people the search finds in all (not only those read so far).
  qint64 MatchingCount() const { return matching_; }

  const records::Person& PersonAt(int row) const { return people_[static_cast<size_t>(row)]; }
  // The row of the person with that number among those read, or -1.
  int RowOfId(int64_t id) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool canFetchMore(const QModelIndex& parent) const override;
  void fetchMore(const QModelIndex& parent) override;

 private:
  RecordsStore& store_;
  QWidget* owner_;
  QString search_;
  std::vector<records::Person> people_;
  bool complete_ = true;
  qint64 matching_ = 0;
};

// "公历 1990-05-01 08:30", "农历 1990-闰05-01 08:30".
QString BirthText(const records::Person& person);
// The first line of a note, cut to a list column.
QString NoteHead(const std::string& note);

}  // namespace hehun::ui
