// The page 功能大全: the picture with its grid of tool buttons. The tiles
// open the calendar viewer, the naming-service note, the three matching
// dialogs, the divination tools, the folk dialogs and the contact addresses.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>

#include "app/match_dialog.h"

class QWidget;

namespace hehun::ui {

class UiServices;
class CalendarViewer;
class NamingServiceDialog;

class FunctionPage : public QObject {
  Q_OBJECT
 public:
  // Builds the page on `page`; the dialogs are owned by `window`, the
  // matching dialogs start from what `couple` gives when they open.
  FunctionPage(QWidget* page, QWidget* window, UiServices& services, std::function<CoupleEntries()> couple);

  void RzToolButton36Click();  // 万年历
  void RzToolButton37Click();  // 起名服务
  void RzToolButton20Click();  // 星座配对
  void RzToolButton21Click();  // 生肖配对
  void RzToolButton22Click();  // 血型配对
  // The contacts: a chat, a mail, the web site; one that is not set shows
  // a box instead of opening anything.
  void RzToolButton38Click();
  void RzToolButton39Click();
  void RzToolButton40Click();

 private:
  QWidget* window_;
  UiServices& services_;
  std::function<CoupleEntries()> couple_;
  QPointer<CalendarViewer> calendarViewer_;
  QPointer<NamingServiceDialog> namingService_;
  QPointer<MatchDialog> signMatch_;
  QPointer<MatchDialog> zodiacMatch_;
  QPointer<MatchDialog> bloodMatch_;
};

}  // namespace hehun::ui
