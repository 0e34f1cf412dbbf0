// The setting 简体 / 繁體 on the page 关于我们: a caption and a list of the
// four choices, each written in its own script.
#pragma once

class QRect;
class QWidget;

namespace hehun::ui {

// Builds the row in `geometry` of `parent`: the list "ScriptChoice" with
// 简体中文, 繁體中文, 繁體中文（台灣）and 繁體中文（香港）. A choice takes effect
// at once in every window and is remembered for the next run.
void MakeScriptChooser(QWidget* parent, const QRect& geometry);

}  // namespace hehun::ui
