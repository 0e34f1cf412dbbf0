#include "app/picture_button.h"

#include <QEnterEvent>
#include <QPainter>

namespace hehun::ui {

PictureButton::PictureButton(const QString& objectName, const QRect& geometry, const QString& hint,
                             const QColor& highlight, QWidget* parent)
    : QToolButton(parent), highlight_(highlight) {
  setObjectName(objectName);
  setGeometry(geometry);
  setToolTip(hint);
  setAccessibleName(hint);
  setAutoRaise(true);
  setFocusPolicy(Qt::NoFocus);
  setCursor(Qt::PointingHandCursor);
  setAttribute(Qt::WA_Hover);
}

void PictureButton::setSelected(bool selected) {
  if (selected_ == selected) return;
  selected_ = selected;
  update();
}

void PictureButton::SetUnavailable(const QString& hint) {
  unavailable_ = true;
  setToolTip(hint);
  setCursor(Qt::ArrowCursor);
  update();
}

void PictureButton::paintEvent(QPaintEvent*) {
  if (unavailable_ || (!hovered_ && !isDown() && !selected_)) return;
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QColor fill = highlight_;
  QColor edge = highlight_;
  fill.setAlpha(isDown() || (selected_ && hovered_) ? highlight_.alpha() * 2 : highlight_.alpha());
  edge.setAlpha(qMin(255, highlight_.alpha() * 3));
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  const qreal radius = qMin(width(), height()) > 30 ? 8 : 3;
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

void PictureButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QToolButton::enterEvent(event);
}

void PictureButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QToolButton::leaveEvent(event);
}

}  // namespace hehun::ui
