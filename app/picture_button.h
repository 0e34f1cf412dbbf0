// A transparent button laid over a painted icon: it draws nothing of its own
// but a soft highlight while the mouse is over it or presses it, and holds
// that highlight while it is marked as selected (the current page's button).
// A button whose feature is not available shows no highlight and no hand
// cursor, only a tooltip that says so; pressing it does nothing.
#pragma once

#include <QColor>
#include <QToolButton>

namespace hehun::ui {

class PictureButton : public QToolButton {
  Q_OBJECT
 public:
  PictureButton(const QString& objectName, const QRect& geometry, const QString& hint, const QColor& highlight,
                QWidget* parent);

  bool isSelected() const { return selected_; }
  void setSelected(bool selected);
  void SetUnavailable(const QString& hint);
  bool IsUnavailable() const { return unavailable_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  QColor highlight_;
  bool hovered_ = false;
  bool selected_ = false;
  bool unavailable_ = false;
};

}  // namespace hehun::ui
