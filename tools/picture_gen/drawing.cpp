#include "drawing.h"

#include <QLinearGradient>

namespace tarvello::pictures {

QImage Blank(QSize size, bool alpha) {
  QImage image(size, alpha ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
  image.fill(alpha ? Qt::transparent : Qt::black);
  return image;
}

void Smooth(QPainter& painter) {
  painter.setRenderHint(QPainter::Antialiasing, true);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
}

void VerticalGradient(QPainter& painter, const QRectF& area, QColor top, QColor bottom) {
  QLinearGradient gradient(area.topLeft(), area.bottomLeft());
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.fillRect(area, gradient);
}

QRectF Tile(QPainter& painter, QSize size, QColor colour) {
  qreal margin = size.width() * 0.06;
  QRectF tile(margin, margin, size.width() - 2 * margin, size.height() - 2 * margin);
  QLinearGradient gradient(tile.topLeft(), tile.bottomLeft());
  gradient.setColorAt(0, colour.lighter(135));
  gradient.setColorAt(1, colour.darker(125));
  QPainterPath path;
  path.addRoundedRect(tile, tile.width() * 0.2, tile.width() * 0.2);
  painter.fillPath(path, gradient);
  painter.setPen(QPen(colour.lighter(170), size.width() * 0.015));
  painter.drawPath(path);
  return tile;
}

QPen WhitePen(qreal width) {
  QPen pen(Qt::white, width);
  pen.setCapStyle(Qt::RoundCap);
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

}  // namespace tarvello::pictures
