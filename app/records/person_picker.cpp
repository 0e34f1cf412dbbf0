#include "app/records/person_picker.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "app/records/people_model.h"
#include "app/records/records_store.h"
#include "app/ui_services.h"
#include "app/window_services.h"

namespace hehun::ui {

PersonPicker::PersonPicker(RecordsStore& store, const QString& sex, QWidget* parent) : QDialog(parent), sex_(sex) {
  setObjectName(QStringLiteral("PersonPicker"));
  setWindowTitle(QStringLiteral("从档案中选取"));
  resize(660, 420);

  search_ = new QLineEdit(this);
  search_->setObjectName(QStringLiteral("PickerSearch"));
  search_->setPlaceholderText(QStringLiteral("输入姓名、备注或标签查找；↑↓ 选择，回车填入"));
  search_->setClearButtonEnabled(true);
  search_->installEventFilter(this);

  model_ = new PeopleModel(store, this, this);
  table_ = new QTableView(this);
  table_->setObjectName(QStringLiteral("PickerTable"));
  table_->setModel(model_);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setAlternatingRowColors(true);
  table_->verticalHeader()->hide();
  table_->verticalHeader()->setDefaultSectionSize(22);
  table_->setColumnHidden(PeopleModel::kId, true);
  table_->setColumnHidden(PeopleModel::kBlood, true);
  table_->horizontalHeader()->setStretchLastSection(true);
  table_->setColumnWidth(PeopleModel::kName, 90);
  table_->setColumnWidth(PeopleModel::kSex, 40);
  table_->setColumnWidth(PeopleModel::kBirth, 160);
  table_->setColumnWidth(PeopleModel::kPlace, 70);
  table_->setColumnWidth(PeopleModel::kTags, 80);
  table_->installEventFilter(this);

  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("PickerCount"));

  auto* buttons = new QDialogButtonBox(this);
  auto* choose = buttons->addButton(QStringLiteral("填入"), QDialogButtonBox::AcceptRole);
  choose->setObjectName(QStringLiteral("PickerChoose"));
  buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)->setObjectName(QStringLiteral("PickerCancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, &PersonPicker::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &PersonPicker::reject);
  connect(table_, &QTableView::doubleClicked, this, &PersonPicker::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(search_);
  layout->addWidget(table_, 1);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(count_, 1);
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  // Searched as one types, once the typing pauses.
  searchDelay_ = new QTimer(this);
  searchDelay_->setSingleShot(true);
  searchDelay_->setInterval(150);
  connect(search_, &QLineEdit::textChanged, searchDelay_, qOverload<>(&QTimer::start));
  connect(searchDelay_, &QTimer::timeout, this, [this] {
    model_->SetSearch(search_->text());
    UpdateCount();
  });
  model_->SetSearch(QString());
  UpdateCount();
  search_->setFocus();
}

void PersonPicker::UpdateCount() {
  if (model_->rowCount() > 0) table_->setCurrentIndex(model_->index(0, PeopleModel::kName));
  count_->setText(model_->Search().trimmed().isEmpty()
                      ? QStringLiteral("档案中共 %1 人").arg(model_->MatchingCount())
                      : QStringLiteral("找到 %1 人").arg(model_->MatchingCount()));
}

void PersonPicker::accept() {
  // A search typed but not yet run is run first, so Enter takes what is typed.
  if (searchDelay_->isActive()) {
    searchDelay_->stop();
    model_->SetSearch(search_->text());
    UpdateCount();
  }
  const QModelIndex current = table_->currentIndex();
  if (!current.isValid()) {
    ServicesOf(this).ShowInfo(this, QStringLiteral("没有可选取的人，请换个查找内容。"));
    return;
  }
  const records::Person& person = model_->PersonAt(current.row());
  if (!sex_.isEmpty() && FromUtf8(person.sex) != sex_) {
    ServicesOf(this).ShowInfo(
        this, QStringLiteral("“%1”是%2性，这一栏要填%3性的资料。").arg(FromUtf8(person.name), FromUtf8(person.sex), sex_));
    return;
  }
  chosen_ = person;
  QDialog::accept();
}

bool PersonPicker::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  if (watched == search_ && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                             key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown)) {
    // The arrows move through the list while the cursor stays in the search box.
    QKeyEvent copy(key->type(), key->key(), key->modifiers());
    QCoreApplication::sendEvent(table_, &copy);
    return true;
  }
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
    accept();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace hehun::ui
