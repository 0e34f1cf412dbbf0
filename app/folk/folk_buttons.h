// The function page's tiles of the folk dialogs: 缘分测试, QQ号缘分,
// 周公解梦 and 文字五行.
#pragma once

class QWidget;

namespace hehun::ui {

// Connects the four tiles on `page` to their dialogs, owned by `owner`;
// each opening replaces the dialog of the previous one.
void ConnectFolkButtons(QWidget* page, QWidget* owner);

}  // namespace hehun::ui
