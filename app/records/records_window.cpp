#include "app/records/records_window.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/records/couples_model.h"
#include "app/records/people_model.h"
#include "app/records/records_store.h"
#include "app/ui_services.h"
#include "app/window_services.h"
#include "records/csv_transfer.h"

namespace hehun::ui {

using records::Archive;
using records::Person;

namespace {

QPushButton* MakeButton(QWidget* parent, const char* objectName, const QString& caption) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(QString::fromLatin1(objectName));
  button->setAutoDefault(false);
  return button;
}

QTableView* MakeTable(QWidget* parent, const char* objectName, QAbstractItemModel* model) {
  auto* table = new QTableView(parent);
  table->setObjectName(QString::fromLatin1(objectName));
  table->setModel(model);
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setAlternatingRowColors(true);
  table->verticalHeader()->hide();
  table->verticalHeader()->setDefaultSectionSize(22);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setTabKeyNavigation(false);
  return table;
}

QFileDialog* MakeFileDialog(QWidget* parent, const char* objectName, const QString& title, bool save) {
  auto* dialog = new QFileDialog(parent, title);
  dialog->setObjectName(QString::fromLatin1(objectName));
  dialog->setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog->setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  dialog->setNameFilter(QStringLiteral("CSV 文件 (*.csv)"));
  dialog->setDefaultSuffix(QStringLiteral("csv"));
  return dialog;
}

std::filesystem::path FilePath(const QString& path) { return std::filesystem::path(path.toStdU32String()); }

// At most `shown` refused rows, and how many more there were.
QString RefusedList(const std::vector<std::string>& refused, size_t shown = 15) {
  QStringList lines;
  for (size_t i = 0; i < refused.size() && i < shown; ++i) lines << FromUtf8(refused[i]);
  if (refused.size() > shown) lines << QStringLiteral("……另有%1行有误").arg(refused.size() - shown);
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

RecordsWindow::RecordsWindow(RecordsStore& store, OpenCoupleFn openCouple, std::function<hehun::Ymd()> today,
                             QWidget* parent)
    : QDialog(parent), store_(store), openCouple_(std::move(openCouple)), today_(std::move(today)) {
  setObjectName(QStringLiteral("RecordsWindow"));
  setWindowTitle(QStringLiteral("档案"));
  resize(860, 560);

  people_ = new PeopleModel(store_, this, this);
  couples_ = new CouplesModel(store_, this, this);

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("RecordsStatus"));
  status_->setWordWrap(true);
  status_->setStyleSheet(QStringLiteral("color: #a31f22;"));

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("RecordsTabs"));
  tabs_->addTab(BuildPeopleTab(), QStringLiteral("人员"));
  tabs_->addTab(BuildCouplesTab(), QStringLiteral("合婚记录"));

  auto* close = MakeButton(this, "CloseRecordsButton", QStringLiteral("关闭"));
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  importDialog_ = MakeFileDialog(this, "ImportCsvDialog", QStringLiteral("导入CSV"), false);
  exportDialog_ = MakeFileDialog(this, "ExportCsvDialog", QStringLiteral("导出CSV"), true);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(status_);
  layout->addWidget(tabs_, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch(1);
  bottom->addWidget(close);
  layout->addLayout(bottom);

  searchDelay_ = new QTimer(this);
  searchDelay_->setSingleShot(true);
  searchDelay_->setInterval(150);
  connect(search_, &QLineEdit::textChanged, searchDelay_, qOverload<>(&QTimer::start));
  connect(searchDelay_, &QTimer::timeout, this, [this] {
    people_->SetSearch(search_->text());
    UpdateStatus();
  });
  // A change made elsewhere (a panel's 保存到档案) shows here too.
  connect(&store_, &RecordsStore::Changed, this, [this] {
    if (isVisible()) Reload();
  });
  Reload();
  search_->setFocus();
}

QWidget* RecordsWindow::BuildPeopleTab() {
  auto* tab = new QWidget;
  search_ = new QLineEdit(tab);
  search_->setObjectName(QStringLiteral("RecordsSearch"));
  search_->setPlaceholderText(QStringLiteral("按姓名、备注或标签查找"));
  search_->setClearButtonEnabled(true);
  search_->installEventFilter(this);
  count_ = new QLabel(tab);
  count_->setObjectName(QStringLiteral("RecordsCount"));

  peopleTable_ = MakeTable(tab, "PeopleTable", people_);
  peopleTable_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  const int widths[] = {56, 90, 40, 170, 90, 44, 100};
  for (int c = 0; c < PeopleModel::kNote; ++c) peopleTable_->setColumnWidth(c, widths[c]);
  peopleTable_->installEventFilter(this);
  connect(peopleTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &RecordsWindow::ShowCurrentPerson);
  connect(people_, &QAbstractItemModel::modelReset, this, &RecordsWindow::ShowCurrentPerson);

  personTitle_ = new QLabel(tab);
  personTitle_->setObjectName(QStringLiteral("PersonTitle"));
  tagsEdit_ = new QLineEdit(tab);
  tagsEdit_->setObjectName(QStringLiteral("PersonTagsEdit"));
  tagsEdit_->setPlaceholderText(QStringLiteral("用逗号或空格分开，如：客户，北京"));
  noteEdit_ = new QPlainTextEdit(tab);
  noteEdit_->setObjectName(QStringLiteral("PersonNoteEdit"));
  noteEdit_->setTabChangesFocus(true);
  noteEdit_->setFixedHeight(64);
  auto* saveNote = MakeButton(tab, "SavePersonNoteButton", QStringLiteral("保存备注和标签"));
  connect(saveNote, &QPushButton::clicked, this, &RecordsWindow::SavePersonNote);
  connect(tagsEdit_, &QLineEdit::returnPressed, this, &RecordsWindow::SavePersonNote);

  auto* match = MakeButton(tab, "MatchPeopleButton", QStringLiteral("所选二人合婚"));
  match->setToolTip(QStringLiteral("在列表中选一男一女（按住Ctrl多选），保存为一对并打开合婚"));
  auto* remove = MakeButton(tab, "DeletePersonButton", QStringLiteral("删除"));
  auto* import = MakeButton(tab, "ImportCsvButton", QStringLiteral("导入CSV…"));
  auto* exportButton = MakeButton(tab, "ExportCsvButton", QStringLiteral("导出CSV…"));
  connect(match, &QPushButton::clicked, this, &RecordsWindow::MatchSelectedPeople);
  connect(remove, &QPushButton::clicked, this, &RecordsWindow::DeleteSelectedPeople);
  connect(import, &QPushButton::clicked, this, &RecordsWindow::ImportCsv);
  connect(exportButton, &QPushButton::clicked, this, &RecordsWindow::ExportCsv);

  auto* layout = new QVBoxLayout(tab);
  auto* top = new QHBoxLayout;
  top->addWidget(new QLabel(QStringLiteral("查找"), tab));
  top->addWidget(search_, 1);
  top->addWidget(count_);
  layout->addLayout(top);
  layout->addWidget(peopleTable_, 1);
  auto* editor = new QGridLayout;
  editor->addWidget(personTitle_, 0, 0, 1, 3);
  editor->addWidget(new QLabel(QStringLiteral("标签"), tab), 1, 0);
  editor->addWidget(tagsEdit_, 1, 1);
  editor->addWidget(saveNote, 1, 2);
  editor->addWidget(new QLabel(QStringLiteral("备注"), tab), 2, 0, Qt::AlignTop);
  editor->addWidget(noteEdit_, 2, 1, 1, 2);
  layout->addLayout(editor);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(match);
  buttons->addWidget(remove);
  buttons->addStretch(1);
  buttons->addWidget(import);
  buttons->addWidget(exportButton);
  layout->addLayout(buttons);
  archiveControls_ << search_ << peopleTable_ << tagsEdit_ << noteEdit_ << saveNote << match << remove << import
                   << exportButton;
  return tab;
}

QWidget* RecordsWindow::BuildCouplesTab() {
  auto* tab = new QWidget;
  couplesTable_ = MakeTable(tab, "CouplesTable", couples_);
  couplesTable_->setSelectionMode(QAbstractItemView::SingleSelection);
  const int widths[] = {56, 150, 150, 100};
  for (int c = 0; c < CouplesModel::kNote; ++c) couplesTable_->setColumnWidth(c, widths[c]);
  couplesTable_->installEventFilter(this);
  connect(couplesTable_, &QTableView::doubleClicked, this, &RecordsWindow::OpenSelectedCouple);
  connect(couplesTable_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          &RecordsWindow::ShowCurrentCouple);
  connect(couples_, &QAbstractItemModel::modelReset, this, &RecordsWindow::ShowCurrentCouple);

  coupleNoteEdit_ = new QLineEdit(tab);
  coupleNoteEdit_->setObjectName(QStringLiteral("CoupleNoteEdit"));
  auto* saveNote = MakeButton(tab, "SaveCoupleNoteButton", QStringLiteral("保存备注"));
  auto* open = MakeButton(tab, "OpenCoupleButton", QStringLiteral("打开合婚"));
  auto* remove = MakeButton(tab, "DeleteCoupleButton", QStringLiteral("删除"));
  connect(saveNote, &QPushButton::clicked, this, &RecordsWindow::SaveCoupleNote);
  connect(coupleNoteEdit_, &QLineEdit::returnPressed, this, &RecordsWindow::SaveCoupleNote);
  connect(open, &QPushButton::clicked, this, &RecordsWindow::OpenSelectedCouple);
  connect(remove, &QPushButton::clicked, this, &RecordsWindow::DeleteSelectedCouple);

  auto* layout = new QVBoxLayout(tab);
  layout->addWidget(couplesTable_, 1);
  auto* note = new QHBoxLayout;
  note->addWidget(new QLabel(QStringLiteral("备注"), tab));
  note->addWidget(coupleNoteEdit_, 1);
  note->addWidget(saveNote);
  layout->addLayout(note);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(open);
  buttons->addWidget(remove);
  buttons->addStretch(1);
  layout->addLayout(buttons);
  archiveControls_ << couplesTable_ << coupleNoteEdit_ << saveNote << open << remove;
  return tab;
}

void RecordsWindow::Reload() {
  people_->SetSearch(search_->text());
  couples_->Reload();
  UpdateStatus();
}

void RecordsWindow::UpdateStatus() {
  const QString reason = store_.UnavailableReason();
  status_->setText(reason);
  status_->setVisible(!reason.isEmpty());
  for (QWidget* w : archiveControls_) w->setEnabled(reason.isEmpty());
  count_->setText(search_->text().trimmed().isEmpty() ? QStringLiteral("共 %1 人").arg(people_->MatchingCount())
                                                      : QStringLiteral("找到 %1 人").arg(people_->MatchingCount()));
  if (people_->rowCount() > 0 && !peopleTable_->currentIndex().isValid())
    peopleTable_->setCurrentIndex(people_->index(0, PeopleModel::kName));
  if (couples_->rowCount() > 0 && !couplesTable_->currentIndex().isValid())
    couplesTable_->setCurrentIndex(couples_->index(0, CouplesModel::kMan));
}

void RecordsWindow::ShowCurrentPerson() {
  const QModelIndex current = peopleTable_->currentIndex();
  if (!current.isValid()) {
    personTitle_->setText(QStringLiteral("（未选中）"));
    tagsEdit_->clear();
    noteEdit_->clear();
    return;
  }
  const Person& p = people_->PersonAt(current.row());
  personTitle_->setText(QStringLiteral("编号%1  %2  %3  %4").arg(p.id).arg(FromUtf8(p.name), FromUtf8(p.sex), BirthText(p)));
  tagsEdit_->setText(FromUtf8(records::JoinTags(p.tags)));
  noteEdit_->setPlainText(FromUtf8(p.note));
}

void RecordsWindow::ShowCurrentCouple() {
  const QModelIndex current = couplesTable_->currentIndex();
  coupleNoteEdit_->setText(current.isValid() ? FromUtf8(couples_->RowAt(current.row()).couple.note) : QString());
}

std::vector<int> RecordsWindow::SelectedPeopleRows() const {
  std::vector<int> rows;
  for (const QModelIndex& index : peopleTable_->selectionModel()->selectedRows()) rows.push_back(index.row());
  if (rows.empty() && peopleTable_->currentIndex().isValid()) rows.push_back(peopleTable_->currentIndex().row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void RecordsWindow::SavePersonNote() {
  const QModelIndex current = peopleTable_->currentIndex();
  if (!current.isValid()) return;
  Person p = people_->PersonAt(current.row());
  p.note = ToUtf8(noteEdit_->toPlainText());
  p.tags = records::SplitTags(ToUtf8(tagsEdit_->text()));
  const int64_t id = p.id;
  if (!store_.Change(this, [&](Archive& archive) { archive.UpdatePerson(p); })) return;
  const int row = people_->RowOfId(id);
  if (row >= 0) peopleTable_->setCurrentIndex(people_->index(row, PeopleModel::kName));
}

void RecordsWindow::DeleteSelectedPeople() {
  const std::vector<int> rows = SelectedPeopleRows();
  if (rows.empty()) return;
  std::vector<int64_t> ids;
  QStringList names;
  for (int row : rows) {
    ids.push_back(people_->PersonAt(row).id);
    if (names.size() < 5) names << FromUtf8(people_->PersonAt(row).name);
  }
  const QString who = ids.size() == 1 ? QStringLiteral("“%1”").arg(names.first())
                                      : QStringLiteral("“%1”等%2人").arg(names.join(QStringLiteral("、"))).arg(ids.size());
  if (!ServicesOf(this).Ask(this, QStringLiteral("确定从档案中删除%1吗？\n与其有关的合婚记录也会一并删除，删除后无法恢复。").arg(who)))
    return;
  store_.Change(this, [&](Archive& archive) {
    for (int64_t id : ids) archive.DeletePerson(id);
  });
}

void RecordsWindow::MatchSelectedPeople() {
  const std::vector<int> rows = SelectedPeopleRows();
  UiServices& services = ServicesOf(this);
  if (rows.size() != 2) {
    services.ShowInfo(this, QStringLiteral("请在列表中选中一男一女两个人（按住Ctrl键点选）。"));
    return;
  }
  const Person a = people_->PersonAt(rows[0]), b = people_->PersonAt(rows[1]);
  if (a.sex == b.sex) {
    services.ShowInfo(this, QStringLiteral("“%1”和“%2”同为%3性，合婚需一男一女。").arg(FromUtf8(a.name), FromUtf8(b.name), FromUtf8(a.sex)));
    return;
  }
  int64_t coupleId = 0;
  if (!store_.Change(this, [&](Archive& archive) { coupleId = archive.SaveCouple(a.id, b.id); })) return;
  OpenCouple(coupleId, a.sex == "男" ? a : b, a.sex == "男" ? b : a);
}

void RecordsWindow::OpenCouple(int64_t coupleId, const Person& man, const Person& woman) {
  if (!openCouple_ || !openCouple_(man, woman)) return;
  store_.Change(this, [&](Archive& archive) { archive.MarkMatched(coupleId, today_()); });
}

void RecordsWindow::OpenSelectedCouple() {
  const QModelIndex current = couplesTable_->currentIndex();
  if (!current.isValid()) return;
  const CouplesModel::Row row = couples_->RowAt(current.row());
  OpenCouple(row.couple.id, row.man, row.woman);
}

void RecordsWindow::SaveCoupleNote() {
  const QModelIndex current = couplesTable_->currentIndex();
  if (!current.isValid()) return;
  const int64_t id = couples_->RowAt(current.row()).couple.id;
  const std::string note = ToUtf8(coupleNoteEdit_->text());
  if (!store_.Change(this, [&](Archive& archive) { archive.SetCoupleNote(id, note); })) return;
  const int row = couples_->RowOfId(id);
  if (row >= 0) couplesTable_->setCurrentIndex(couples_->index(row, CouplesModel::kMan));
}

void RecordsWindow::DeleteSelectedCouple() {
  const QModelIndex current = couplesTable_->currentIndex();
  if (!current.isValid()) return;
  const CouplesModel::Row row = couples_->RowAt(current.row());
  const QString question = QStringLiteral("确定删除“%1”与“%2”的合婚记录吗？（两人的资料仍保留在档案中）")
                               .arg(FromUtf8(row.man.name), FromUtf8(row.woman.name));
  if (!ServicesOf(this).Ask(this, question)) return;
  store_.Change(this, [&](Archive& archive) { archive.DeleteCouple(row.couple.id); });
}

void RecordsWindow::ImportCsv() {
  UiServices& services = ServicesOf(this);
  const QString file = services.ChooseSaveFile(importDialog_);
  if (file.isEmpty()) return;
  records::ImportResult result;
  if (!store_.Change(this, [&](Archive& archive) { result = records::ImportPeopleCsv(archive, FilePath(file), false); }))
    return;
  if (result.committed) {
    services.ShowInfo(this, QStringLiteral("已从文件导入%1人。").arg(result.added));
    return;
  }
  const QString question = QStringLiteral("文件中有错误，没有导入任何人：\n%1\n\n是否跳过这些有误的行，只导入其余的行？")
                               .arg(RefusedList(result.refused));
  if (!services.Ask(this, question)) return;
  if (!store_.Change(this, [&](Archive& archive) { result = records::ImportPeopleCsv(archive, FilePath(file), true); }))
    return;
  services.ShowInfo(this, QStringLiteral("已导入%1人，跳过%2行：\n%3")
                              .arg(result.added)
                              .arg(result.refused.size())
                              .arg(RefusedList(result.refused)));
}

void RecordsWindow::ExportCsv() {
  UiServices& services = ServicesOf(this);
  exportDialog_->selectFile(QStringLiteral("档案.csv"));
  const QString file = services.ChooseSaveFile(exportDialog_);
  if (file.isEmpty()) return;
  int64_t count = 0;
  if (store_.Read(this, [&](Archive& archive) { count = records::ExportPeopleCsv(archive, FilePath(file)); }))
    services.ShowInfo(this, QStringLiteral("已导出%1人到“%2”。").arg(count).arg(QDir::toNativeSeparators(file)));
}

bool RecordsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
  if (watched == search_ && (key->key() == Qt::Key_Down || enter)) {
    peopleTable_->setFocus();  // from the search box down into the list
    return true;
  }
  if (watched == peopleTable_ && key->key() == Qt::Key_Delete) {
    DeleteSelectedPeople();
    return true;
  }
  if (watched == peopleTable_ && enter) {
    tagsEdit_->setFocus();  // on to the person's tags and note
    return true;
  }
  if (watched == couplesTable_ && key->key() == Qt::Key_Delete) {
    DeleteSelectedCouple();
    return true;
  }
  if (watched == couplesTable_ && enter) {
    OpenSelectedCouple();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hehun::ui
