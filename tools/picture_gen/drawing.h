// Drawing helpers shared by the picture generator's pictures: a painter set up for smooth edges,
// gradients and the rounded tile every menu icon sits on. Single-threaded tool code.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

namespace tarvello::pictures {

// A transparent (alpha) or opaque image of the given size, cleared.
QImage Blank(QSize size, bool alpha);
void Smooth(QPainter& painter);
void VerticalGradient(QPainter& painter, const QRectF& area, QColor top, QColor bottom);
// A rounded square tile in colour, slightly lit from the top, filling most of the image.
QRectF Tile(QPainter& painter, QSize size, QColor colour);
QPen WhitePen(qreal width);

}  // namespace tarvello::pictures
