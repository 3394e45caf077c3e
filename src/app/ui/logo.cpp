// The logo: a white page with a folded corner on a teal square, and a "V" on the page.
#include "app/ui/logo.h"

#include <QPainter>
#include <QPainterPath>

QPixmap vellumineLogo(int size) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 64.0, size / 64.0);

  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0x1f, 0x6f, 0x78));
  painter.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);

  QPainterPath page;
  page.moveTo(16, 10);
  page.lineTo(40, 10);
  page.lineTo(50, 20);
  page.lineTo(50, 54);
  page.lineTo(16, 54);
  page.closeSubpath();
  painter.setBrush(Qt::white);
  painter.drawPath(page);
  painter.setBrush(QColor(0xc8, 0xdc, 0xde));
  painter.drawPolygon(QPolygonF({QPointF(40, 10), QPointF(40, 20), QPointF(50, 20)}));

  QPen stroke(QColor(0x1f, 0x6f, 0x78), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(stroke);
  painter.drawPolyline(QPolygonF({QPointF(24, 26), QPointF(33, 46), QPointF(42, 26)}));
  return pixmap;
}
