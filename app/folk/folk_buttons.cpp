#include "app/folk/folk_buttons.h"

#include <QPointer>
#include <QToolButton>

#include "app/folk/character_element_dialog.h"
#include "app/folk/dream_dialog.h"
#include "app/folk/pair_dialog.h"
#include "app/tool_dialogs.h"

namespace hehun::ui {

namespace {

QPointer<PairDialog> g_nameAffinityDialog;
QPointer<PairDialog> g_qqPairDialog;
QPointer<DreamDialog> g_dreamDialog;
QPointer<CharacterElementDialog> g_characterElementDialog;

template <class F>
void OnClick(QWidget* page, const char* name, QWidget* owner, F action) {
  if (auto* button = page->findChild<QToolButton*>(QString::fromLatin1(name)))
    QObject::connect(button, &QToolButton::clicked, owner, action);
}

}  // namespace

void ConnectFolkButtons(QWidget* page, QWidget* owner) {
  OnClick(page, "RzToolButton19", owner, [=] { OpenToolDialog(g_nameAffinityDialog, owner, PairKind::kNames); });
  OnClick(page, "RzToolButton23", owner, [=] { OpenToolDialog(g_qqPairDialog, owner, PairKind::kQqNumbers); });
  OnClick(page, "RzToolButton15", owner, [=] { OpenToolDialog(g_dreamDialog, owner); });
  OnClick(page, "RzToolButton31", owner, [=] { OpenToolDialog(g_characterElementDialog, owner); });
}

}  // namespace hehun::ui
