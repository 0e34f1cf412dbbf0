#include "app/function_page.h"

#include <QLabel>
#include <QToolButton>

#include "app/artwork.h"
#include "app/calendar_viewer.h"
#include "app/contacts.h"
#include "app/divination_dialogs.h"
#include "app/folk/folk_buttons.h"
#include "app/naming_service_dialog.h"
#include "app/picture_button.h"
#include "app/tool_dialogs.h"
#include "app/ui_script.h"
#include "app/ui_services.h"

namespace hehun::ui {

FunctionPage::FunctionPage(QWidget* page, QWidget* window, UiServices& services, std::function<CoupleEntries()> couple)
    : QObject(page), window_(window), services_(services), couple_(std::move(couple)) {
  auto* picture = new QLabel(page);
  picture->setObjectName(QStringLiteral("Image3"));
  picture->setGeometry(0, 0, kFunctionPictureWidth, kFunctionPictureHeight);
  picture->setPixmap(FunctionPagePicture());
  // The tile captions are painted: paint them again in a new script.
  OnScriptChanged(picture, [picture] { picture->setPixmap(FunctionPagePicture()); });

  const QColor highlight(0xa3, 0x1f, 0x22, 22);
  for (const FunctionButtonPlace& place : kFunctionButtons) {
    const QRect geometry(place.x, kFunctionRowY[place.row], kFunctionButtonSize, kFunctionButtonSize);
    new PictureButton(QString::fromLatin1(place.objectName), geometry, QString::fromUtf8(place.label), highlight, page);
  }
  const std::pair<const char*, void (FunctionPage::*)()> actions[] = {
      {"RzToolButton36", &FunctionPage::RzToolButton36Click}, {"RzToolButton37", &FunctionPage::RzToolButton37Click},
      {"RzToolButton20", &FunctionPage::RzToolButton20Click}, {"RzToolButton21", &FunctionPage::RzToolButton21Click},
      {"RzToolButton22", &FunctionPage::RzToolButton22Click}, {"RzToolButton38", &FunctionPage::RzToolButton38Click},
      {"RzToolButton39", &FunctionPage::RzToolButton39Click}, {"RzToolButton40", &FunctionPage::RzToolButton40Click},
  };
  for (const auto& [name, handler] : actions) {
    auto* button = page->findChild<QToolButton*>(QString::fromLatin1(name));
    connect(button, &QToolButton::clicked, this, handler);
  }
  ConnectDivinationButtons(page, window_);
  ConnectFolkButtons(page, window_);
}

void FunctionPage::RzToolButton36Click() { OpenToolDialog(calendarViewer_, window_); }
void FunctionPage::RzToolButton37Click() { OpenToolDialog(namingService_, window_); }
void FunctionPage::RzToolButton20Click() { OpenToolDialog(signMatch_, window_, MatchKind::kSign, couple_()); }
void FunctionPage::RzToolButton21Click() { OpenToolDialog(zodiacMatch_, window_, MatchKind::kZodiac, couple_()); }
void FunctionPage::RzToolButton22Click() { OpenToolDialog(bloodMatch_, window_, MatchKind::kBlood, couple_()); }
// A contact that is not set shows a box instead of opening anything; one the
// desktop cannot open (no browser, mail or chat program) shows its address.
void FunctionPage::RzToolButton38Click() {
  const Contacts contacts = ReadContacts();
  if (contacts.qq.isEmpty())
    services_.ShowInfo(window_, NoChatMessage(contacts));
  else if (!services_.TryOpenUrl(ChatUrlOf(contacts)))
    services_.ShowAddress(window_, UnopenedChatMessage(contacts));
}

void FunctionPage::RzToolButton39Click() {
  const Contacts contacts = ReadContacts();
  const QUrl url = MailUrlOf(contacts);
  if (url.isEmpty())
    services_.ShowInfo(window_, NoMailMessage());
  else if (!services_.TryOpenUrl(url))
    services_.ShowAddress(window_, UnopenedMailMessage(contacts));
}

void FunctionPage::RzToolButton40Click() {
  const Contacts contacts = ReadContacts();
  if (contacts.web.isEmpty())
    services_.ShowInfo(window_, NoWebSiteMessage());
  else if (!services_.TryOpenUrl(contacts.web))
    services_.ShowAddress(window_, UnopenedWebSiteMessage(contacts));
}

}  // namespace hehun::ui
