#include "app/ui_services.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "app/appearance.h"
#include "app/report_printing.h"
#include "app/ui_script.h"

namespace hehun::ui {

QString FromUtf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

QString AppTitle() { return FromUtf8(hehun::kAppTitle); }

void DesktopServices::ShowInfo(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, Shown(QStringLiteral("提示")), text);
}

void DesktopServices::Notice(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, Shown(AppTitle()), text, QMessageBox::Ok, parent);
  box.exec();
}

void DesktopServices::ShowError(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, Shown(AppTitle()), text);
}

bool UiServices::Ask(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Question, AppTitle(), text, QMessageBox::Yes | QMessageBox::No, parent);
  box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
  box.button(QMessageBox::No)->setText(QStringLiteral("否"));
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

QString DesktopServices::ChooseSaveFile(QFileDialog* dialog) {
  if (dialog->exec() != QDialog::Accepted) return {};
  const QStringList files = dialog->selectedFiles();
  return files.isEmpty() ? QString() : files.first();
}

bool DesktopServices::ChoosePrinter(QWidget* parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(Shown(QStringLiteral("打印")));
  return dialog.exec() == QDialog::Accepted;
}

void DesktopServices::OpenUrl(const QUrl& url) { QDesktopServices::openUrl(url); }

bool DesktopServices::TryOpenUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

void DesktopServices::ShowAddress(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, QStringLiteral("提示"), text, QMessageBox::Ok, parent);
  box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  box.exec();
}

void WindowMessages::ShowInfo(std::string_view text) { services_.ShowInfo(parent_, FromUtf8(text)); }
void WindowMessages::Notice(std::string_view text) { services_.Notice(parent_, FromUtf8(text)); }
void WindowMessages::ShowError(std::string_view text) { services_.ShowError(parent_, FromUtf8(text)); }

void PrintPlainText(QPrinter& printer, const QString& title, const QString& text) {
  PrintReport(printer, title, text);
}

}  // namespace hehun::ui
