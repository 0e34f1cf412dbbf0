// Everything the windows ask of the desktop: message boxes, the file name for
// saving, the printer, and opening addresses. The windows talk to this
// interface only, so that tests can answer in place of the user.
#pragma once

#include <QString>
#include <QUrl>
#include <memory>
#include <string_view>

#include "refdb/messages.h"

class QFileDialog;
class QPrinter;
class QWidget;

namespace hehun::ui {

class UiServices {
 public:
  virtual ~UiServices() = default;
  // The modal information box, caption "提示".
  virtual void ShowInfo(QWidget* parent, const QString& text) = 0;
  // A plain box with the application's title; the action goes on.
  virtual void Notice(QWidget* parent, const QString& text) = 0;
  // The error box with the application's title; the action has stopped.
  virtual void ShowError(QWidget* parent, const QString& text) = 0;
  // A question with the buttons 是 and 否, caption the application's title;
  // true when the user chose 是 (the desktop's box unless overridden).
  virtual bool Ask(QWidget* parent, const QString& text);
  // Runs the save dialog (or another file dialog); returns the chosen file,
  // or empty text when the user cancelled.
  virtual QString ChooseSaveFile(QFileDialog* dialog) = 0;
  // Runs the platform's print dialog for `printer`; true when the user
  // chose to print.
  virtual bool ChoosePrinter(QWidget* parent, QPrinter& printer) = 0;
  // Hands an address to the desktop (browser, mail program, chat program).
  virtual void OpenUrl(const QUrl& url) = 0;
  // The same, and false when the desktop has no program that opens it.
  virtual bool TryOpenUrl(const QUrl& url) {
    OpenUrl(url);
    return true;
  }
  // A box that shows `text` with an address the user can select and copy.
  virtual void ShowAddress(QWidget* parent, const QString& text) { ShowInfo(parent, text); }
};

// The real dialogs of the desktop.
class DesktopServices : public UiServices {
 public:
  void ShowInfo(QWidget* parent, const QString& text) override;
  void Notice(QWidget* parent, const QString& text) override;
  void ShowError(QWidget* parent, const QString& text) override;
  QString ChooseSaveFile(QFileDialog* dialog) override;
  bool ChoosePrinter(QWidget* parent, QPrinter& printer) override;
  void OpenUrl(const QUrl& url) override;
  bool TryOpenUrl(const QUrl& url) override;
  void ShowAddress(QWidget* parent, const QString& text) override;
};

// The core's message interface, shown through the window's services.
class WindowMessages : public hehun::Messages {
 public:
  WindowMessages(UiServices& services, QWidget* parent) : services_(services), parent_(parent) {}
  void ShowInfo(std::string_view text) override;
  void Notice(std::string_view text) override;
  void ShowError(std::string_view text) override;

 private:
  UiServices& services_;
  QWidget* parent_;
};

QString FromUtf8(std::string_view text);
std::string ToUtf8(const QString& text);

// The application's title as the program sets it.
QString AppTitle();

// Prints plain text on the printer in pages (see report_printing.h).
void PrintPlainText(QPrinter& printer, const QString& title, const QString& text);

}  // namespace hehun::ui
