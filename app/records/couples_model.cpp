#include "app/records/couples_model.h"

#include "app/records/people_model.h"
#include "app/records/records_store.h"
#include "app/ui_script.h"
#include "app/ui_services.h"

namespace hehun::ui {

CouplesModel::CouplesModel(RecordsStore& store, QWidget* owner, QObject* parent)
    : QAbstractTableModel(parent), store_(store), owner_(owner) {
  // The column titles and the program's words follow a change of script.
  OnScriptChanged(this, [this] {
    emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
  });
}

void CouplesModel::Reload() {
  beginResetModel();
  rows_.clear();
  store_.Read(owner_, [&](records::Archive& archive) {
    for (const records::Couple& c : archive.ListCouples()) {
      Row row{c, archive.GetPerson(c.firstId), archive.GetPerson(c.secondId)};
      if (row.man.sex != "男") std::swap(row.man, row.woman);
      rows_.push_back(std::move(row));
    }
  });
  endResetModel();
}

int CouplesModel::RowOfId(int64_t id) const {
  for (size_t i = 0; i < rows_.size(); ++i)
    if (rows_[i].couple.id == id) return static_cast<int>(i);
  return -1;
}

int CouplesModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : static_cast<int>(rows_.size()); }

int CouplesModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant CouplesModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const Row& r = RowAt(index.row());
  if (role == Qt::ToolTipRole && index.column() == kNote && !r.couple.note.empty()) return FromUtf8(r.couple.note);
  if (role == Qt::ToolTipRole && (index.column() == kMan || index.column() == kWoman))
    return BirthText(index.column() == kMan ? r.man : r.woman);
  if (role != Qt::DisplayRole) return {};
  const auto who = [](const records::Person& p) { return QStringLiteral("%1（%2）").arg(FromUtf8(p.name)).arg(p.id); };
  switch (index.column()) {
    case kId: return QVariant::fromValue(static_cast<qlonglong>(r.couple.id));
    case kMan: return who(r.man);
    case kWoman: return who(r.woman);
    case kLastMatched: return r.couple.lastMatched.empty() ? Shown(QStringLiteral("未合婚")) : FromUtf8(r.couple.lastMatched);
    case kNote: return NoteHead(r.couple.note);
    default: return {};
  }
}

QVariant CouplesModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
  static const char* const kTitles[kColumnCount] = {"编号", "男方（编号）", "女方（编号）", "最近合婚", "备注"};
  return section >= 0 && section < kColumnCount ? Shown(QString::fromUtf8(kTitles[section])) : QVariant();
}

}  // namespace hehun::ui
