#include "app/contacts.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStringList>

#include "refdb/refdb.h"

namespace hehun::ui {

QString ContactsFilePath() {
  return QString::fromStdString(hehun::SiteConfigFile("contacts.ini").string());
}

Contacts ReadContacts() {
  Contacts c;
  const QString path = ContactsFilePath();
  if (!QFileInfo::exists(path)) return c;
  QSettings file(path, QSettings::IniFormat);
  file.beginGroup(QStringLiteral("contacts"));
  const QString qq = file.value(QStringLiteral("qq")).toString().trimmed();
  const QString mail = file.value(QStringLiteral("mail")).toString().trimmed();
  const QString web = file.value(QStringLiteral("web")).toString().trimmed();
  file.endGroup();
  // A QQ number has five to eleven digits and does not start with 0.
  if (QRegularExpression(QStringLiteral("^[1-9][0-9]{4,10}$")).match(qq).hasMatch()) c.qq = qq;
  if (QRegularExpression(QStringLiteral("^[^@\\s]+@[^@\\s]+\\.[^@\\s]+$")).match(mail).hasMatch()) c.mail = mail;
  const QUrl url(web, QUrl::StrictMode);
  if (url.isValid() && (url.scheme() == QLatin1String("https") || url.scheme() == QLatin1String("http")) &&
      !url.host().isEmpty())
    c.web = url;
  return c;
}

QUrl ChatUrlOf(const Contacts& contacts) {
  if (contacts.qq.isEmpty()) return {};
  return QUrl(QStringLiteral("tencent://message/?uin=") + contacts.qq);
}

QUrl MailUrlOf(const Contacts& contacts) {
  if (contacts.mail.isEmpty()) return {};
  return QUrl(QStringLiteral("mailto:") + contacts.mail);
}

QString ContactSentenceHtml(const Contacts& contacts) {
  QStringList ways;
  if (!contacts.mail.isEmpty()) ways << QStringLiteral("来信 %1").arg(contacts.mail.toHtmlEscaped());
  if (!contacts.qq.isEmpty()) ways << QStringLiteral("通过 QQ %1 联系我们").arg(contacts.qq);
  if (!contacts.web.isEmpty())
    ways << QStringLiteral("访问网站 %1").arg(contacts.web.host().toHtmlEscaped());
  if (ways.isEmpty()) return {};
  return QStringLiteral("使用中如有疑问或建议，欢迎") + ways.join(QStringLiteral("，或")) + QStringLiteral("。");
}

QString NoChatMessage(const Contacts& contacts) {
  if (!contacts.mail.isEmpty())
    return QStringLiteral("本软件暂未开通QQ客服。如有疑问或建议，请发送电子邮件至 %1。").arg(contacts.mail);
  return QStringLiteral("本软件暂未开通QQ客服。");
}

QString NoMailMessage() { return QStringLiteral("本软件暂未提供客服电子邮箱。"); }

QString NoWebSiteMessage() { return QStringLiteral("本软件暂未提供官方网站。"); }

QString UnopenedChatMessage(const Contacts& contacts) {
  return QStringLiteral("未能打开QQ。请在QQ中添加客服QQ号：\n%1").arg(contacts.qq);
}

QString UnopenedMailMessage(const Contacts& contacts) {
  return QStringLiteral("未能打开邮件程序。请将邮件发送至：\n%1").arg(contacts.mail);
}

QString UnopenedWebSiteMessage(const Contacts& contacts) {
  return QStringLiteral("未能打开浏览器。请在浏览器中访问：\n%1").arg(contacts.web.toString());
}

}  // namespace hehun::ui
