// 生男生女: the conception table.
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/conception_table_window.h"
#include "app/divination_dialogs.h"
#include "app/ui_services.h"
#include "app/window_closing.h"
#include "divination/omens.h"

namespace hehun::ui {

ConceptionTableWindow::ConceptionTableWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFrm_NanNv"));
  setWindowTitle(QStringLiteral("生男生女"));
  setFont(UiFont(13));
  setStyleSheet(DialogStyleSheet());

  // Editable on screen, as a table one may mark up, but never saved.
  auto* table = new QTextEdit(this);
  table->setObjectName(QStringLiteral("RzRichEdit1"));
  table->setAcceptRichText(false);
  table->setLineWrapMode(QTextEdit::NoWrap);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  table->setFont(ReportFont(13));
  table->document()->setDocumentMargin(10);
  QString text;
  for (const std::string& line : hehun::ConceptionTableLines()) text += FromUtf8(line) + QLatin1Char('\n');
  text.chop(1);
  table->setPlainText(text);

  auto* notice = new QLabel(FromUtf8(hehun::kConceptionLawNotice), this);
  notice->setObjectName(QStringLiteral("LabelNotice"));
  notice->setWordWrap(true);

  auto* note = new QLabel(FromUtf8(hehun::kConceptionNote), this);
  note->setObjectName(QStringLiteral("RzLabel1"));
  note->setProperty("role", QStringLiteral("hours"));
  note->setWordWrap(true);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 12, 12, 10);
  layout->setSpacing(8);
  layout->addWidget(table, 1);
  layout->addWidget(notice);
  layout->addWidget(note);
  AddCloseButton(this, layout);
  setFixedSize(620, 710);
  CentreOnOwner(this, parent);
}

}  // namespace hehun::ui
