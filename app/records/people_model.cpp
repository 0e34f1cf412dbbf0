#include "app/records/people_model.h"

#include "app/records/records_store.h"
#include "app/ui_script.h"
#include "app/ui_services.h"

namespace hehun::ui {

using records::Person;

QString BirthText(const Person& p) {
  QString date = FromUtf8(records::BirthDateText(p));
  if (p.leapMonth) date.insert(5, QStringLiteral("闰"));
  return Shown(FromUtf8(records::CalendarName(p.lunar))) + QLatin1Char(' ') + date + QLatin1Char(' ') +
         FromUtf8(records::BirthTimeText(p));
}

QString NoteHead(const std::string& note) {
  QString first = FromUtf8(note.substr(0, note.find('\n')));
  if (first.size() > 40) first = first.left(40) + QStringLiteral("…");
  return first;
}

PeopleModel::PeopleModel(RecordsStore& store, QWidget* owner, QObject* parent)
    : QAbstractTableModel(parent), store_(store), owner_(owner) {
  // The column titles and the program's words follow a change of script.
  OnScriptChanged(this, [this] {
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
  });
}

void PeopleModel::SetSearch(const QString& text) {
  search_ = text;
  Reload();
}

void PeopleModel::Reload() {
  beginResetModel();
  people_.clear();
  matching_ = 0;
  complete_ = true;
  const std::string text = ToUtf8(search_.trimmed());
  store_.Read(owner_, [&](records::Archive& archive) {
    matching_ = archive.CountMatching(text);
    people_ = archive.FindPeople({text, 0, kPageSize});
    complete_ = static_cast<int>(people_.size()) < kPageSize;
  });
  endResetModel();
}

int PeopleModel::RowOfId(int64_t id) const {
  for (size_t i = 0; i < people_.size(); ++i)
    if (people_[i].id == id) return static_cast<int>(i);
  return -1;
}

int PeopleModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(people_.size());
}

int PeopleModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant PeopleModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Person& p = PersonAt(index.row());
  if (role == Qt::TextAlignmentRole && (index.column() == kId || index.column() == kSex))
    return QVariant(Qt::AlignCenter);
  if (role == Qt::ToolTipRole && index.column() == kNote && !p.note.empty()) return FromUtf8(p.note);
  if (role != Qt::DisplayRole) return {};
  switch (index.column()) {
    case kId: return QVariant::fromValue(static_cast<qlonglong>(p.id));
    case kName: return FromUtf8(p.name);
    case kSex: return FromUtf8(p.sex);
    case kBirth: return BirthText(p);
    case kPlace: return FromUtf8(p.place);
    case kBlood: return p.blood.empty() ? QString() : FromUtf8(p.blood) + QStringLiteral("型");
    case kTags: return FromUtf8(records::JoinTags(p.tags));
    case kNote: return NoteHead(p.note);
    default: return {};
  }
}

QVariant PeopleModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  static const char* const kTitles[kColumnCount] = {"编号", "姓名", "性别", "出生", "出生地", "血型", "标签", "备注"};
  return section >= 0 && section < kColumnCount ? Shown(QString::fromUtf8(kTitles[section])) : QVariant();
}

bool PeopleModel::canFetchMore(const QModelIndex& parent) const { return !parent.isValid() && !complete_; }

void PeopleModel::fetchMore(const QModelIndex& parent) {
  if (parent.isValid() || complete_ || people_.empty()) return;
  std::vector<Person> page;
  const bool read = store_.Read(owner_, [&](records::Archive& archive) {
    page = archive.FindPeople({ToUtf8(search_.trimmed()), people_.back().id, kPageSize});
  });
  complete_ = !read || static_cast<int>(page.size()) < kPageSize;
  if (page.empty()) return;
  const int first = rowCount();
  beginInsertRows({}, first, first + static_cast<int>(page.size()) - 1);
  for (Person& p : page) people_.push_back(std::move(p));
  endInsertRows();
}

}  // namespace hehun::ui
