// The script of the window: 简体 or 繁體 (with the Taiwan or Hong Kong
// forms). Every text of the program is written in Simplified Chinese; when
// the user chose Traditional, the texts are converted by OpenCC on their
// way to the screen, the printer and saved files. What the user typed
// (names, notes, places, editable boxes) is never converted.
//
// Windows follow by themselves: each window is converted when it is shown,
// again after each click or key press in it (so texts the program writes
// later are caught), and every open window when the choice changes. Each
// control remembers its Simplified text in a dynamic property, so the
// choice can go back and forth. Pages that write reports hand the typed
// names along (ShowResultText), so that those stay as typed.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

#include "app/ui_services.h"
#include "refdb/chinese_script.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QObject;
class QPlainTextEdit;
class QWidget;

namespace hehun::ui {

// The choice in force (Simplified until SetScriptChoice is called).
ScriptChoice CurrentScriptChoice();
bool ShowsTraditional();

// The choice remembered from the last run; at first start the system
// locale's (zh_TW, zh_HK, zh_MO → 繁體).
ScriptChoice RememberedScriptChoice();

// Makes `choice` current: Qt's own texts in its script, every open window
// converted, the painted pictures redrawn. `remember` writes it to the
// settings for the next run. A Traditional choice whose conversion data
// cannot be opened leaves the Simplified texts (and says so on stderr).
void SetScriptChoice(ScriptChoice choice, bool remember);

// A text of the program as the user reads it: converted when Traditional is
// chosen; `kept` texts (what the user typed) stay as they are.
QString Shown(const QString& simplified);
QString Shown(const QString& simplified, const QStringList& kept);

// Puts a result text (a report, the almanac) into a read-only area,
// converted, with the typed `kept` texts unchanged. The area remembers the
// Simplified text and the kept texts for a later change of the choice.
void ShowResultText(QPlainTextEdit* area, const QString& simplified, const QStringList& kept = {});
// The Simplified text behind a result area (empty when none was put there).
QString ResultSimplifiedText(const QPlainTextEdit* area);

// The same for a label that shows a result with typed texts in it.
void ShowLabelText(QLabel* label, const QString& simplified, const QStringList& kept);

// Sets a button's caption from its Simplified text, converted; and reads
// the Simplified caption back (for code that compares captions).
void SetCaption(QAbstractButton* button, const QString& simplified);
QString SimplifiedCaption(const QAbstractButton* button);
// The Simplified text of a fixed list's current item (a converted combo box
// shows Traditional items; the program reads the Simplified ones).
QString ChoiceText(const QComboBox* combo);

// Converts (or, under Simplified, restores) the static texts of `root` and
// of every control in it: window titles, tool tips, labels, buttons, group
// and tab titles, the items of fixed lists and tables, placeholders, and
// read-only text areas. Editable texts are left alone.
void ConvertWidgetTree(QWidget* root);
// Marks a control whose texts are typed by the user or already written in
// their own script: it and everything in it are never converted.
void KeepScript(QWidget* widget);

// Calls `refresh` after each change of the choice while `owner` lives (for
// what is painted rather than held by controls).
void OnScriptChanged(QObject* owner, std::function<void()> refresh);

// The desktop services with every message text converted on its way to the
// box: the one place where messages change script.
class ScriptedServices : public UiServices {
 public:
  explicit ScriptedServices(UiServices& inner) : inner_(inner) {}
  void ShowInfo(QWidget* parent, const QString& text) override { inner_.ShowInfo(parent, Shown(text)); }
  void Notice(QWidget* parent, const QString& text) override { inner_.Notice(parent, Shown(text)); }
  void ShowError(QWidget* parent, const QString& text) override { inner_.ShowError(parent, Shown(text)); }
  bool Ask(QWidget* parent, const QString& text) override { return inner_.Ask(parent, Shown(text)); }
  QString ChooseSaveFile(QFileDialog* dialog) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override { return inner_.ChoosePrinter(parent, printer); }
  void OpenUrl(const QUrl& url) override { inner_.OpenUrl(url); }
  bool TryOpenUrl(const QUrl& url) override { return inner_.TryOpenUrl(url); }
  void ShowAddress(QWidget* parent, const QString& text) override { inner_.ShowAddress(parent, Shown(text)); }

 private:
  UiServices& inner_;
};

}  // namespace hehun::ui
