// The folk-omen window: seven fixed pages of which the caller shows one.
#include <QLabel>
#include <QPlainTextEdit>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "app/appearance.h"
#include "app/divination_dialogs.h"
#include "app/omen_window.h"
#include "app/ui_services.h"
#include "app/window_closing.h"
#include "divination/omens.h"

namespace hehun::ui {

OmenWindow::OmenWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("TFormOnther"));
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(UiFont(13));
  setStyleSheet(DialogStyleSheet());

  // The pages without a tab strip: only the page the caller selects shows,
  // and the user has no way to switch to another.
  pages_ = new QStackedWidget(this);
  pages_->setObjectName(QStringLiteral("RzPageControl1"));
  for (int page = 0; page < hehun::kOmenPageCount; ++page) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(QStringLiteral("Memo%1").arg(page + 1));
    memo->setReadOnly(true);
    memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo->setFont(UiFont(15));
    memo->document()->setDocumentMargin(12);
    memo->setPlainText(FromUtf8(hehun::OmenPageText(page)));
    auto* sheet = new QWidget;
    sheet->setObjectName(QStringLiteral("TabSheet%1").arg(page + 1));
    auto* sheetLayout = new QVBoxLayout(sheet);
    sheetLayout->setContentsMargins(0, 0, 0, 0);
    sheetLayout->addWidget(memo);
    pages_->addWidget(sheet);
  }

  auto* note = new QLabel(FromUtf8(hehun::OmenHourNote()), this);
  note->setObjectName(QStringLiteral("Label1"));
  note->setProperty("role", QStringLiteral("hours"));
  note->setFont(UiFont(13));

  // The window's title as a heading over the page, like the headings of the
  // function page.
  auto* heading = new QLabel(this);
  heading->setObjectName(QStringLiteral("LabelTitle"));
  heading->setFont(SerifFont(20));
  heading->setAlignment(Qt::AlignCenter);
  heading->setStyleSheet(QStringLiteral("color: #a31f22; border-bottom: 2px solid #e0b963; padding-bottom: 4px;"));
  connect(this, &QWidget::windowTitleChanged, heading, &QLabel::setText);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(12, 10, 12, 8);
  layout->setSpacing(8);
  layout->addWidget(heading);
  layout->addWidget(pages_, 1);
  layout->addWidget(note);
  AddCloseButton(this, layout);
  CloseOnEscape(this);
  setFixedSize(540, 530);
}

QPointer<OmenWindow>& CurrentOmenWindow() {
  static QPointer<OmenWindow> current;
  return current;
}

OmenWindow* ShowOmenPage(const QString& title, int pageIndex, QWidget* owner) {
  auto* window = new OmenWindow(owner);
  window->setWindowTitle(title);
  window->pages()->setCurrentIndex(pageIndex);
  CurrentOmenWindow() = window;
  CentreOnOwner(window, owner);
  window->show();
  return window;
}

}  // namespace hehun::ui
