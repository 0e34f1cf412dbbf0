#include "app/ui_script.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSettings>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <memory>
#include <vector>

#include "app/translations.h"

namespace hehun::ui {

namespace {

// The settings key; the values are "simplified", "traditional",
// "traditional-tw" and "traditional-hk".
constexpr char kSettingKey[] = "display/script";

struct ScriptState {
  ScriptChoice choice;
  std::unique_ptr<TraditionalConverter> converter;
  bool everConverted = false;  // some window shows (or showed) converted texts
  std::vector<std::pair<QPointer<QObject>, std::function<void()>>> listeners;
};

ScriptState& State() {
  static ScriptState state;
  return state;
}

QSettings ProgramSettings() { return QSettings(QStringLiteral("hehun"), QStringLiteral("hehun")); }

QString SettingValue(ScriptChoice c) {
  if (c.script == Script::kSimplified) return QStringLiteral("simplified");
  switch (c.variant) {
    case TraditionalVariant::kTaiwan: return QStringLiteral("traditional-tw");
    case TraditionalVariant::kHongKong: return QStringLiteral("traditional-hk");
    case TraditionalVariant::kStandard: break;
  }
  return QStringLiteral("traditional");
}

bool ParseSetting(const QString& value, ScriptChoice& c) {
  if (value == QLatin1String("simplified")) c = {};
  else if (value == QLatin1String("traditional")) c = {Script::kTraditional, TraditionalVariant::kStandard};
  else if (value == QLatin1String("traditional-tw")) c = {Script::kTraditional, TraditionalVariant::kTaiwan};
  else if (value == QLatin1String("traditional-hk")) c = {Script::kTraditional, TraditionalVariant::kHongKong};
  else return false;
  return true;
}

bool IsAscii(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x80) return false;
  return true;
}

// Converts the windows the user works in: each one when it is shown, and
// once more after each click or key press in it, when the program has
// answered (texts written after the window opened are caught that way).
class ScriptWatcher : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!State().everConverted || !watched->isWidgetType()) return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
      case QEvent::Show:
        if (widget->isWindow()) {
          ConvertWidgetTree(widget);
          Later(widget);
        }
        break;
      case QEvent::MouseButtonRelease:
      case QEvent::KeyPress:
        // The window of the control, and the active one (a click in a
        // combo box's list changes the dialog under it).
        Later(widget->window());
        Later(QApplication::activeWindow());
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void Later(QWidget* window) {
    if (window == nullptr || window->property("hehunScriptPending").toBool()) return;
    window->setProperty("hehunScriptPending", true);
    QPointer<QWidget> guard(window);
    QTimer::singleShot(0, this, [guard] {
      if (guard == nullptr) return;
      guard->setProperty("hehunScriptPending", false);
      ConvertWidgetTree(guard);
    });
  }
};

void WatchWindows() {
  static QPointer<ScriptWatcher> watcher;
  if (watcher != nullptr || QCoreApplication::instance() == nullptr) return;
  watcher = new ScriptWatcher(QCoreApplication::instance());
  QCoreApplication::instance()->installEventFilter(watcher);
}

}  // namespace

ScriptChoice CurrentScriptChoice() { return State().choice; }

bool ShowsTraditional() { return State().choice.script == Script::kTraditional && State().converter != nullptr; }

ScriptChoice RememberedScriptChoice() {
  ScriptChoice choice;
  if (ParseSetting(ProgramSettings().value(QLatin1String(kSettingKey)).toString(), choice)) return choice;
  // First start: the system's locale (LANG), as QLocale reads it.
  choice = ScriptForLocale(QLocale::system().name().toStdString());
  if (choice.script == Script::kSimplified) {
    const QByteArray lang = qgetenv("LANG");
    if (!lang.isEmpty()) choice = ScriptForLocale(lang.toStdString());
  }
  return choice;
}

void SetScriptChoice(ScriptChoice choice, bool remember) {
  ScriptState& state = State();
  if (choice.script == Script::kTraditional &&
      (state.converter == nullptr || state.converter->variant() != choice.variant)) {
    try {
      state.converter = std::make_unique<TraditionalConverter>(choice.variant);
    } catch (const std::exception& error) {
      std::fprintf(stderr, "%s\n", error.what());
      state.converter.reset();
      choice = {};
    }
  }
  state.choice = choice;
  if (remember) ProgramSettings().setValue(QLatin1String(kSettingKey), SettingValue(choice));
  if (auto* app = QCoreApplication::instance()) InstallQtTranslations(*app, choice.script == Script::kTraditional);
  if (choice.script == Script::kTraditional) state.everConverted = true;
  if (!state.everConverted) return;
  WatchWindows();
  for (QWidget* window : QApplication::topLevelWidgets()) ConvertWidgetTree(window);
  // Listeners may add listeners; go by index over a copy of the live ones.
  auto listeners = state.listeners;
  for (auto& [owner, refresh] : listeners)
    if (owner != nullptr) refresh();
  std::erase_if(state.listeners, [](const auto& l) { return l.first == nullptr; });
}

QString Shown(const QString& simplified) {
  if (!ShowsTraditional() || IsAscii(simplified)) return simplified;
  return QString::fromStdString(State().converter->Convert(simplified.toStdString()));
}

QString Shown(const QString& simplified, const QStringList& kept) {
  if (!ShowsTraditional() || IsAscii(simplified)) return simplified;
  std::vector<std::string> keptUtf8;
  for (const QString& k : kept)
    if (!k.trimmed().isEmpty()) keptUtf8.push_back(k.trimmed().toStdString());
  return QString::fromStdString(State().converter->Convert(simplified.toStdString(), keptUtf8));
}

void ShowResultText(QPlainTextEdit* area, const QString& simplified, const QStringList& kept) {
  const QString shown = Shown(simplified, kept);
  area->setProperty("hehunKept", kept);
  area->setProperty("hehunSimplified_text", simplified);
  area->setProperty("hehunShown_text", shown);
  if (area->toPlainText() != shown) area->setPlainText(shown);
}

void ShowLabelText(QLabel* label, const QString& simplified, const QStringList& kept) {
  const QString shown = Shown(simplified, kept);
  label->setProperty("hehunKept", kept);
  label->setProperty("hehunSimplified_text", simplified);
  label->setProperty("hehunShown_text", shown);
  label->setText(shown);
}

QString ResultSimplifiedText(const QPlainTextEdit* area) {
  const QVariant shown = area->property("hehunShown_text");
  if (shown.isValid() && shown.toString() == area->toPlainText())
    return area->property("hehunSimplified_text").toString();
  return area->toPlainText();
}

void SetCaption(QAbstractButton* button, const QString& simplified) {
  const QString shown = Shown(simplified);
  button->setProperty("hehunSimplified_text", simplified);
  button->setProperty("hehunShown_text", shown);
  button->setText(shown);
}

QString SimplifiedCaption(const QAbstractButton* button) {
  const QVariant shown = button->property("hehunShown_text");
  if (shown.isValid() && shown.toString() == button->text()) return button->property("hehunSimplified_text").toString();
  return button->text();
}

void OnScriptChanged(QObject* owner, std::function<void()> refresh) {
  State().listeners.emplace_back(owner, std::move(refresh));
}

void KeepScript(QWidget* widget) { widget->setProperty("hehunKeepScript", true); }

QString ScriptedServices::ChooseSaveFile(QFileDialog* dialog) {
  ConvertWidgetTree(dialog);
  return inner_.ChooseSaveFile(dialog);
}

}  // namespace hehun::ui
