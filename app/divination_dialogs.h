// What the dialogs of the number, name and omen divinations share: the
// function page's buttons that open them (the number dialog in its three
// kinds, the nickname dialog, the folk-omen window and the conception
// table), their style sheet and the input strip.
#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QHBoxLayout;
class QLineEdit;
class QPushButton;

namespace hehun::ui {

// Connects the function page's buttons of these tools (omens, number
// dialogs, nickname, conception table) to their actions; the dialogs are
// owned by `owner`.
void ConnectDivinationButtons(QWidget* page, QWidget* owner);

// The widget style of the tool dialogs, matching the main window.
QString DialogStyleSheet();

// The input strip of the number and nickname dialogs: a caption, the edit
// box `edtmun` and the buttons "测算" (`RzBitBtn1`) and "关闭" (`RzBitBtn2`,
// which closes `dialog`), laid out in `row`; the caller connects "测算" and
// gives the frame its layout.
struct InputStrip {
  QFrame* frame = nullptr;
  QLineEdit* edit = nullptr;
  QPushButton* run = nullptr;
  QHBoxLayout* row = nullptr;
};
InputStrip MakeInputStrip(QDialog* dialog, const QString& caption, int maxLength);

}  // namespace hehun::ui
