// The walk over a window's controls that puts their static texts into the
// chosen script (see ui_script.h).
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include "app/ui_script.h"

namespace hehun::ui {

namespace {

// Where an item of a list or table keeps its Simplified text and the text
// last shown.
constexpr int kSimplifiedRole = Qt::UserRole + 0x4826;
constexpr int kShownRole = Qt::UserRole + 0x4827;

// The Simplified original of a text that stands as `current`: when the text
// is still the one last shown, the remembered original; otherwise the
// program has written a new text there, and that is the new original.
QString OriginalOf(const QVariant& lastShown, const QVariant& lastOriginal, const QString& current) {
  return lastShown.isValid() && lastShown.toString() == current ? lastOriginal.toString() : current;
}

// The choice in force, to tell whether a rich text already shows it.
QString ScriptKey() {
  const ScriptChoice c = CurrentScriptChoice();
  return ShowsTraditional() ? QString::number(static_cast<int>(c.variant)) : QStringLiteral("s");
}

// Converts one text of an object, remembering its original under `key`.
template <class Set>
void ConvertProperty(QObject* object, const char* key, const QString& current, const QStringList& kept, Set set) {
  const QByteArray originalName = QByteArray("hehunSimplified_") + key;
  const QByteArray shownName = QByteArray("hehunShown_") + key;
  const QVariant lastShown = object->property(shownName.constData());
  if (current.isEmpty() && !lastShown.isValid()) return;
  const QString original = OriginalOf(lastShown, object->property(originalName.constData()), current);
  const QString next = Shown(original, kept);
  object->setProperty(originalName.constData(), original);
  object->setProperty(shownName.constData(), next);
  if (next != current) set(next);
}

void ConvertItemText(const QVariant& lastShown, const QVariant& lastOriginal, const QString& current,
                     const std::function<void(const QString&, const QString&)>& set) {
  if (current.isEmpty() && !lastShown.isValid()) return;
  const QString original = OriginalOf(lastShown, lastOriginal, current);
  set(original, Shown(original));
}

void ConvertTableItem(QTableWidgetItem* item) {
  if (item == nullptr) return;
  const QTableWidget* table = item->tableWidget();
  const bool editable = (item->flags() & Qt::ItemIsEditable) != 0 && table != nullptr &&
                        table->editTriggers() != QAbstractItemView::NoEditTriggers;
  if (editable) return;
  ConvertItemText(item->data(kShownRole), item->data(kSimplifiedRole), item->text(),
                  [item](const QString& original, const QString& shown) {
                    item->setData(kSimplifiedRole, original);
                    item->setData(kShownRole, shown);
                    if (item->text() != shown) item->setText(shown);
                  });
}

void ConvertTreeItem(QTreeWidgetItem* item) {
  for (int column = 0; column < item->columnCount(); ++column) {
    ConvertItemText(item->data(column, kShownRole), item->data(column, kSimplifiedRole), item->text(column),
                    [item, column](const QString& original, const QString& shown) {
                      item->setData(column, kSimplifiedRole, original);
                      item->setData(column, kShownRole, shown);
                      if (item->text(column) != shown) item->setText(column, shown);
                    });
  }
  for (int i = 0; i < item->childCount(); ++i) ConvertTreeItem(item->child(i));
}

void ConvertCombo(QComboBox* combo) {
  for (int i = 0; i < combo->count(); ++i) {
    ConvertItemText(combo->itemData(i, kShownRole), combo->itemData(i, kSimplifiedRole), combo->itemText(i),
                    [combo, i](const QString& original, const QString& shown) {
                      combo->setItemData(i, original, kSimplifiedRole);
                      combo->setItemData(i, shown, kShownRole);
                      if (combo->itemText(i) != shown) combo->setItemText(i, shown);
                    });
  }
}

void ConvertTabs(QTabBar* tabs) {
  for (int i = 0; i < tabs->count(); ++i) {
    const QByteArray key = "tab" + QByteArray::number(i);
    const QByteArray tipKey = "tabtip" + QByteArray::number(i);
    ConvertProperty(tabs, key.constData(), tabs->tabText(i), {}, [tabs, i](const QString& t) { tabs->setTabText(i, t); });
    ConvertProperty(tabs, tipKey.constData(), tabs->tabToolTip(i), {},
                    [tabs, i](const QString& t) { tabs->setTabToolTip(i, t); });
  }
}

void ConvertActions(QWidget* widget) {
  for (QAction* action : widget->actions()) {
    ConvertProperty(action, "text", action->text(), {}, [action](const QString& t) { action->setText(t); });
    ConvertProperty(action, "tip", action->toolTip(), {}, [action](const QString& t) { action->setToolTip(t); });
  }
}

// The texts of one control (not of those inside it).
void ConvertControl(QWidget* w) {
  // Typed texts the program wrote into this control (a name in a result).
  const QStringList kept = w->property("hehunKept").toStringList();
  if (w->isWindow())
    ConvertProperty(w, "title", w->windowTitle(), {}, [w](const QString& t) { w->setWindowTitle(t); });
  ConvertProperty(w, "tip", w->toolTip(), {}, [w](const QString& t) { w->setToolTip(t); });
  if (auto* label = qobject_cast<QLabel*>(w)) {
    ConvertProperty(w, "text", label->text(), kept, [label](const QString& t) { label->setText(t); });
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    ConvertProperty(w, "text", button->text(), {}, [button](const QString& t) { button->setText(t); });
  } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
    ConvertProperty(w, "text", group->title(), {}, [group](const QString& t) { group->setTitle(t); });
  } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
    if (!combo->isEditable()) ConvertCombo(combo);
  } else if (auto* line = qobject_cast<QLineEdit*>(w)) {
    ConvertProperty(w, "placeholder", line->placeholderText(), {},
                    [line](const QString& t) { line->setPlaceholderText(t); });
    const QWidget* owner = line->parentWidget();
    const bool ownText = qobject_cast<const QComboBox*>(owner) == nullptr && qobject_cast<const QAbstractSpinBox*>(owner) == nullptr;
    if (line->isReadOnly() && ownText)
      ConvertProperty(w, "text", line->text(), kept, [line](const QString& t) { line->setText(t); });
  } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w)) {
    if (plain->isReadOnly())
      ConvertProperty(w, "text", plain->toPlainText(), kept,
                      [plain](const QString& t) { plain->setPlainText(t); });
  } else if (auto* rich = qobject_cast<QTextEdit*>(w)) {
    // Rich text is compared by its plain text (Qt rewrites the HTML it was
    // given) and converted as HTML: the tags are ASCII and stay as they are.
    if (rich->isReadOnly()) {
      const QVariant lastShown = rich->property("hehunShown_plain");
      const QString plain = rich->toPlainText();
      if (plain.isEmpty() && !lastShown.isValid()) return;
      const bool rewritten = !lastShown.isValid() || lastShown.toString() != plain;
      if (rewritten) rich->setProperty("hehunSimplified_html", rich->toHtml());
      const QString script = ScriptKey();
      if (!rewritten && rich->property("hehunShown_script").toString() == script) return;
      if (rewritten && !ShowsTraditional()) {
        rich->setProperty("hehunShown_plain", plain);
        rich->setProperty("hehunShown_script", script);
        return;
      }
      rich->setHtml(Shown(rich->property("hehunSimplified_html").toString()));
      rich->setProperty("hehunShown_plain", rich->toPlainText());
      rich->setProperty("hehunShown_script", script);
    }
  } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
    ConvertTabs(tabs);
  } else if (auto* table = qobject_cast<QTableWidget*>(w)) {
    for (int c = 0; c < table->columnCount(); ++c) ConvertTableItem(table->horizontalHeaderItem(c));
    for (int r = 0; r < table->rowCount(); ++r) {
      ConvertTableItem(table->verticalHeaderItem(r));
      for (int c = 0; c < table->columnCount(); ++c) ConvertTableItem(table->item(r, c));
    }
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    for (int i = 0; i < list->count(); ++i) {
      QListWidgetItem* item = list->item(i);
      if ((item->flags() & Qt::ItemIsEditable) != 0) continue;
      ConvertItemText(item->data(kShownRole), item->data(kSimplifiedRole), item->text(),
                      [item](const QString& original, const QString& shown) {
                        item->setData(kSimplifiedRole, original);
                        item->setData(kShownRole, shown);
                        if (item->text() != shown) item->setText(shown);
                      });
    }
  } else if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
    if (tree->headerItem() != nullptr) ConvertTreeItem(tree->headerItem());
    for (int i = 0; i < tree->topLevelItemCount(); ++i) ConvertTreeItem(tree->topLevelItem(i));
  } else if (qobject_cast<QMenu*>(w) != nullptr) {
    ConvertActions(w);
  }
}

bool Kept(const QWidget* w) { return w->property("hehunKeepScript").toBool(); }

void Walk(QWidget* w) {
  if (Kept(w)) return;
  ConvertControl(w);
  // Qt's file dialog is in Qt's own translation; only the program's title
  // and file types are its texts (converting its lists would rename files).
  if (auto* files = qobject_cast<QFileDialog*>(w)) {
    ConvertProperty(w, "filters", files->nameFilters().join(QStringLiteral(";;")), {},
                    [files](const QString& t) { files->setNameFilters(t.split(QStringLiteral(";;"))); });
    return;
  }
  for (QObject* child : w->children())
    if (child->isWidgetType()) Walk(static_cast<QWidget*>(child));
}

}  // namespace

void ConvertWidgetTree(QWidget* root) {
  if (root != nullptr) Walk(root);
}

QString ChoiceText(const QComboBox* combo) {
  const int i = combo->currentIndex();
  if (combo->isEditable() || i < 0) return combo->currentText();
  const QVariant shown = combo->itemData(i, kShownRole);
  if (shown.isValid() && shown.toString() == combo->itemText(i)) return combo->itemData(i, kSimplifiedRole).toString();
  return combo->currentText();
}

}  // namespace hehun::ui
