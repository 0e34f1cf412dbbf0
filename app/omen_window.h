// The folk-omen window: one of seven fixed pages, chosen by the caller; not
// modal, destroyed when it closes.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

class QStackedWidget;

namespace hehun::ui {

class OmenWindow : public QWidget {
  Q_OBJECT
 public:
  explicit OmenWindow(QWidget* parent = nullptr);
  QStackedWidget* pages() const { return pages_; }

 private:
  QStackedWidget* pages_ = nullptr;
};

// Opens one more omen window with the title and page (0 to 6) and returns
// at once; the windows opened before stay open.
OmenWindow* ShowOmenPage(const QString& title, int pageIndex, QWidget* owner = nullptr);
// The newest omen window, empty when it has closed.
QPointer<OmenWindow>& CurrentOmenWindow();

}  // namespace hehun::ui
