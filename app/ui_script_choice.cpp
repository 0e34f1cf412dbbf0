#include "app/ui_script_choice.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRect>
#include <QWidget>
#include <array>

#include "app/ui_script.h"

namespace hehun::ui {

namespace {

struct ChoiceItem {
  const char* caption;  // in the script it names, so that anyone can find their own
  ScriptChoice choice;
};

const std::array<ChoiceItem, 4> kChoices{{
    {"简体中文", {Script::kSimplified, TraditionalVariant::kStandard}},
    {"繁體中文", {Script::kTraditional, TraditionalVariant::kStandard}},
    {"繁體中文（台灣）", {Script::kTraditional, TraditionalVariant::kTaiwan}},
    {"繁體中文（香港）", {Script::kTraditional, TraditionalVariant::kHongKong}},
}};

int IndexOf(ScriptChoice c) {
  for (size_t i = 0; i < kChoices.size(); ++i)
    if (kChoices[i].choice.script == c.script &&
        (c.script == Script::kSimplified || kChoices[i].choice.variant == c.variant))
      return static_cast<int>(i);
  return 0;
}

}  // namespace

void MakeScriptChooser(QWidget* parent, const QRect& geometry) {
  auto* row = new QWidget(parent);
  row->setObjectName(QStringLiteral("ScriptRow"));
  row->setGeometry(geometry);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(24, 0, 24, 0);
  auto* caption = new QLabel(QStringLiteral("界面文字（简体/繁體）："), row);
  caption->setObjectName(QStringLiteral("ScriptCaption"));
  auto* list = new QComboBox(row);
  list->setObjectName(QStringLiteral("ScriptChoice"));
  caption->setToolTip(QStringLiteral("程序的文字、报告、打印和保存的文件所用的字体；输入的姓名和地点保持原样"));
  for (const ChoiceItem& item : kChoices) list->addItem(QString::fromUtf8(item.caption));
  KeepScript(list);
  list->setCurrentIndex(IndexOf(CurrentScriptChoice()));
  layout->addStretch(1);
  layout->addWidget(caption);
  layout->addWidget(list);
  QObject::connect(list, &QComboBox::activated, list, [](int index) {
    if (index >= 0 && index < static_cast<int>(kChoices.size())) SetScriptChoice(kChoices[index].choice, true);
  });
  // Follows a change made elsewhere (and a Traditional choice refused for
  // want of conversion data).
  OnScriptChanged(list, [list] {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(IndexOf(CurrentScriptChoice()));
  });
}

}  // namespace hehun::ui
