// The function page's buttons of the divination tools, and the look their
// dialogs share.
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "app/appearance.h"
#include "app/conception_table_window.h"
#include "app/divination_dialogs.h"
#include "app/nickname_dialog.h"
#include "app/number_dialog.h"
#include "app/omen_window.h"
#include "app/tool_dialogs.h"
#include "app/ui_services.h"
#include "divination/omens.h"

namespace hehun::ui {

namespace {

// The current instance of each dialog, replaced at every opening.
QPointer<NumberDialog> g_mobileDialog;
QPointer<NumberDialog> g_qqDialog;
QPointer<NumberDialog> g_anyNumberDialog;
QPointer<NicknameDialog> g_nicknameDialog;
QPointer<ConceptionTableWindow> g_conceptionTable;

// The omen buttons and the page each opens.
constexpr std::pair<const char*, int> kOmenButtons[] = {
    {"RzToolButton25", 0}, {"RzToolButton26", 1}, {"RzToolButton27", 2}, {"RzToolButton28", 3},
    {"RzToolButton29", 4}, {"RzToolButton30", 5}, {"RzToolButton24", 6}};

template <class F>
void OnClick(QWidget* page, const char* name, QWidget* owner, F action) {
  if (auto* button = page->findChild<QToolButton*>(QString::fromLatin1(name)))
    QObject::connect(button, &QToolButton::clicked, owner, action);
}

}  // namespace

void ConnectDivinationButtons(QWidget* page, QWidget* owner) {
  for (const auto& [name, index] : kOmenButtons) {
    const QString title = FromUtf8(hehun::OmenTitle(index));
    OnClick(page, name, owner, [=, omen = index] { ShowOmenPage(title, omen, owner); });
  }
  OnClick(page, "RzToolButton32", owner, [=] { OpenToolDialog(g_mobileDialog, owner, hehun::NumberKind::kMobile); });
  OnClick(page, "RzToolButton33", owner, [=] { OpenToolDialog(g_qqDialog, owner, hehun::NumberKind::kQq); });
  OnClick(page, "RzToolButton34", owner, [=] { OpenToolDialog(g_anyNumberDialog, owner, hehun::NumberKind::kAny); });
  OnClick(page, "RzToolButton35", owner, [=] { OpenToolDialog(g_nicknameDialog, owner); });
  OnClick(page, "RzToolButton13", owner, [=] { OpenToolDialog(g_conceptionTable, owner); });
}

QString DialogStyleSheet() {
  return MainStyleSheet() + QStringLiteral(R"(
QGroupBox {
  border: 1px solid #dcc59a;
  border-radius: 4px;
  margin-top: 12px;
  background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fffdf8, stop:1 #f8efdc);
}
QGroupBox::title {
  subcontrol-origin: margin;
  subcontrol-position: top left;
  left: 12px;
  padding: 2px 10px;
  color: #fff7e6;
  font-weight: bold;
  border-radius: 3px;
  background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #a31f22, stop:1 #c0493a);
}
QLineEdit {
  background: #fffdf8;
  border: 1px solid #c9ad7a;
  border-radius: 3px;
  padding: 1px 4px;
  selection-background-color: #a31f22;
}
QLineEdit:focus { border: 1px solid #a31f22; }
QLabel[role="rowCaption"] { color: #6c1012; font-weight: bold; }
QLabel[role="result"] { color: #3b2a1e; }
QLabel[role="number"] { color: #3b2a1e; font-weight: bold; }
QLabel[role="grade"] { color: #d0021b; font-weight: bold; }
QLabel[role="hint"] { color: #a31f22; }
QLabel[role="nickname"] { color: #1a7a2c; font-weight: bold; }
QLabel[role="trait"] { color: #000080; }
QLabel[role="hours"] { color: #000080; }
)");
}

InputStrip MakeInputStrip(QDialog* dialog, const QString& captionText, int maxLength) {
  InputStrip strip;
  strip.frame = new QFrame(dialog);
  strip.frame->setObjectName(QStringLiteral("RzGroupBox1"));
  strip.frame->setProperty("role", QStringLiteral("strip"));
  auto* caption = new QLabel(captionText, strip.frame);
  caption->setObjectName(QStringLiteral("RzLabel1"));
  caption->setProperty("role", QStringLiteral("caption"));
  caption->setAlignment(Qt::AlignCenter);
  caption->setFixedHeight(26);
  caption->setMinimumWidth(84);
  strip.edit = new QLineEdit(strip.frame);
  strip.edit->setObjectName(QStringLiteral("edtmun"));
  strip.edit->setMaxLength(maxLength);
  strip.edit->setFixedHeight(26);
  strip.edit->setMinimumWidth(170);
  strip.edit->setFont(UiFont(14));
  strip.run = new QPushButton(QStringLiteral("测算"), strip.frame);
  strip.run->setObjectName(QStringLiteral("RzBitBtn1"));
  auto* close = new QPushButton(QStringLiteral("关闭"), strip.frame);
  close->setObjectName(QStringLiteral("RzBitBtn2"));
  for (QPushButton* b : {strip.run, close}) {
    b->setAutoDefault(false);
    b->setFixedSize(64, 28);
  }
  QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::close);
  strip.row = new QHBoxLayout;
  strip.row->setSpacing(8);
  strip.row->addWidget(caption);
  strip.row->addWidget(strip.edit, 1);
  strip.row->addSpacing(4);
  strip.row->addWidget(strip.run);
  strip.row->addWidget(close);
  return strip;
}

}  // namespace hehun::ui
