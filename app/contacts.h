// The product's contact addresses (support QQ number, mail address, web
// site), read from the site configuration file "contacts.ini" (in /etc/hehun,
// else beside the program), so that they can be set without building the
// program again.
#pragma once

#include <QString>
#include <QUrl>

namespace hehun::ui {

struct Contacts {
  QString qq;    // digits only, empty when not set or not a QQ number
  QString mail;  // empty when not set or not an address
  QUrl web;      // empty when not set or not an http(s) address
};

// The file hehun::SiteConfigFile names (the override folder's in tests).
QString ContactsFilePath();

// Reads the file; a missing file or a missing or malformed entry gives an
// empty value for that contact.
Contacts ReadContacts();

QUrl ChatUrlOf(const Contacts& contacts);  // tencent://message/?uin=…, or empty
QUrl MailUrlOf(const Contacts& contacts);  // mailto:…, or empty

// The sentence of the about page that names the contacts that are set, as
// HTML; empty when none is set.
QString ContactSentenceHtml(const Contacts& contacts);

// What the tiles say when their contact is not set.
QString NoChatMessage(const Contacts& contacts);
QString NoMailMessage();
QString NoWebSiteMessage();

// What the tiles say when the desktop could not open the contact: the
// address on a line of its own, to be copied by hand.
QString UnopenedChatMessage(const Contacts& contacts);
QString UnopenedMailMessage(const Contacts& contacts);
QString UnopenedWebSiteMessage(const Contacts& contacts);

}  // namespace hehun::ui
