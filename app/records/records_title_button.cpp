#include "app/records/records_title_button.h"

#include <QPainter>
#include <QPainterPath>

#include "app/appearance.h"

namespace hehun::ui {

RecordsTitleButton::RecordsTitleButton(QWidget* parent)
    : PictureButton(QStringLiteral("RecordsButton"), Place(), QStringLiteral("档案"), QColor(255, 240, 210, 45),
                    parent) {}

QRect RecordsTitleButton::Place() { return QRect(666, 1, 24, 18); }

void RecordsTitleButton::paintEvent(QPaintEvent* event) {
  PictureButton::paintEvent(event);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(palette::kPaleGold, 1.3));
  p.setBrush(Qt::NoBrush);
  // A folder: its tab on the upper left, the body below, a label line inside.
  const QRectF body(6.5, 5.5, 11, 8.5);
  QPainterPath folder;
  folder.moveTo(body.left(), body.top() - 1.5);
  folder.lineTo(body.left() + 4, body.top() - 1.5);
  folder.lineTo(body.left() + 5.2, body.top());
  folder.lineTo(body.right(), body.top());
  folder.lineTo(body.right(), body.bottom());
  folder.lineTo(body.left(), body.bottom());
  folder.closeSubpath();
  p.drawPath(folder);
  p.drawLine(QPointF(body.left() + 3, body.top() + 4), QPointF(body.right() - 3, body.top() + 4));
}

}  // namespace hehun::ui
