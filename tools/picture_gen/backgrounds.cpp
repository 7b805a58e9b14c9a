// The program's backgrounds and bars: screen background, logo, tool and key bars, keyboard panel,
// tab strip and the two progress bars.
#include <QFont>
#include <QLinearGradient>
#include <QPolygonF>
#include <cmath>

#include "catalogue.h"
#include "drawing.h"

namespace tarvello::pictures {
namespace {

// A gently rising price line across area, the market motif of the backgrounds.
QPolygonF PriceLine(const QRectF& area, int points, double phase) {
  QPolygonF line;
  for (int i = 0; i < points; ++i) {
    double t = static_cast<double>(i) / (points - 1);
    double wave = std::sin(t * 9.0 + phase) * 0.08 + std::sin(t * 23.0) * 0.03;
    line << QPointF(area.left() + t * area.width(), area.bottom() - (0.25 + 0.5 * t + wave) * area.height());
  }
  return line;
}

void BarBody(QPainter& painter, QSize size, QColor top, QColor bottom) {
  VerticalGradient(painter, QRectF(QPointF(0, 0), QSizeF(size)), top, bottom);
  painter.setPen(QPen(top.lighter(140), size.height() * 0.04));
  painter.drawLine(QPointF(0, 1), QPointF(size.width(), 1));
}

QImage ProgressBar(QSize size, QColor light, QColor dark) {
  QImage image = Blank(size, false);
  QPainter painter(&image);
  Smooth(painter);
  QRectF all(QPointF(0, 0), QSizeF(size));
  QLinearGradient gradient(all.topLeft(), all.bottomLeft());
  gradient.setColorAt(0, light.lighter(130));
  gradient.setColorAt(0.5, light);
  gradient.setColorAt(1, dark);
  painter.fillRect(all, gradient);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(255, 255, 255, 40));
  qreal stripe = size.height();
  for (qreal x = -stripe; x < size.width(); x += stripe * 1.5) {
    QPolygonF band;
    band << QPointF(x, size.height()) << QPointF(x + stripe * 0.6, size.height())
         << QPointF(x + stripe * 1.2, 0) << QPointF(x + stripe * 0.6, 0);
    painter.drawPolygon(band);
  }
  return image;
}

}  // namespace

QImage DrawBack(QSize size) {
  QImage image = Blank(size, false);
  QPainter painter(&image);
  Smooth(painter);
  QRectF all(QPointF(0, 0), QSizeF(size));
  VerticalGradient(painter, all, QColor(16, 34, 64), QColor(2, 6, 16));
  painter.setPen(QPen(QColor(60, 90, 140, 50), 1));
  for (int y = 0; y < size.height(); y += size.height() / 16) painter.drawLine(0, y, size.width(), y);
  for (int x = 0; x < size.width(); x += size.width() / 12) painter.drawLine(x, 0, x, size.height());
  QRectF chart(0, size.height() * 0.55, size.width(), size.height() * 0.4);
  painter.setPen(QPen(QColor(220, 60, 60, 110), size.width() / 160.0));
  painter.drawPolyline(PriceLine(chart, 120, 0.3));
  painter.setPen(QPen(QColor(60, 220, 200, 70), size.width() / 240.0));
  painter.drawPolyline(PriceLine(chart.translated(0, chart.height() * 0.15), 120, 2.0));
  return image;
}

QImage DrawLogo(QSize size) {
  QImage image = Blank(size, false);
  QPainter painter(&image);
  Smooth(painter);
  QRectF all(QPointF(0, 0), QSizeF(size));
  VerticalGradient(painter, all, QColor(20, 40, 80), QColor(6, 12, 28));
  QRectF mark(size.height() * 0.15, size.height() * 0.15, size.height() * 0.7, size.height() * 0.7);
  painter.setPen(QPen(QColor(230, 60, 50), size.height() * 0.06, Qt::SolidLine, Qt::RoundCap));
  painter.drawPolyline(PriceLine(mark, 12, 0.0));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(size.height() * 0.42));
  font.setBold(true);
  painter.setFont(font);
  painter.setPen(Qt::white);
  QRectF text(mark.right() + size.height() * 0.15, 0, size.width(), size.height());
  painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tarvello"));
  return image;
}

QImage DrawToolBar(QSize size) {
  QImage image = Blank(size, false);
  QPainter painter(&image);
  BarBody(painter, size, QColor(58, 72, 96), QColor(18, 24, 36));
  return image;
}

QImage DrawKeyBar(QSize size) {
  QImage image = Blank(size, false);
  QPainter painter(&image);
  Smooth(painter);
  BarBody(painter, size, QColor(86, 92, 104), QColor(30, 32, 38));
  qreal half = size.width() / 2.0;
  qreal inset = size.height() * 0.1;
  for (int i = 0; i < 2; ++i) {
    QRectF button(i * half + inset, inset, half - 2 * inset, size.height() - 2 * inset);
    QPainterPath path;
    path.addRoundedRect(button, inset * 1.5, inset * 1.5);
    QLinearGradient gradient(button.topLeft(), button.bottomLeft());
    gradient.setColorAt(0, QColor(120, 128, 142));
    gradient.setColorAt(1, QColor(44, 48, 56));
    painter.fillPath(path, gradient);
    painter.setPen(QPen(QColor(160, 168, 180), inset * 0.3));
    painter.drawPath(path);
  }
  return image;
}

// The code keyboard's key area: four rows of eleven raised plates, the last four cells of the
// bottom row one wide plate for "确定". The screen draws the captions over it.
QImage DrawKeyBoard(QSize size) {
  QImage image = Blank(size, false);
  QPainter painter(&image);
  Smooth(painter);
  QRectF all(QPointF(0, 0), QSizeF(size));
  VerticalGradient(painter, all, QColor(70, 78, 92), QColor(24, 28, 36));
  const qreal cell = size.width() / 11.0;
  const qreal row = size.height() / 4.0;
  const qreal gap = cell * 0.08;
  const auto plate = [&](int r, int first, int last, QColor top, QColor bottom) {
    const QRectF box(first * cell + gap, r * row + gap, (last - first + 1) * cell - 2 * gap, row - 2 * gap);
    QPainterPath path;
    path.addRoundedRect(box, gap * 1.5, gap * 1.5);
    QLinearGradient gradient(box.topLeft(), box.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    painter.fillPath(path, gradient);
  };
  const int cells_in_row[] = {11, 11, 11, 7};
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < cells_in_row[r]; ++c) plate(r, c, c, QColor(104, 114, 134), QColor(52, 58, 72));
  }
  plate(3, 7, 10, QColor(60, 120, 200), QColor(26, 60, 120));
  return image;
}

QImage DrawSwitch(QSize size) {
  QImage image = Blank(size, true);
  QPainter painter(&image);
  Smooth(painter);
  QRectF pill(1, 1, size.width() - 2, size.height() - 2);
  QPainterPath path;
  path.addRoundedRect(pill, pill.height() / 2, pill.height() / 2);
  QLinearGradient gradient(pill.topLeft(), pill.bottomLeft());
  gradient.setColorAt(0, QColor(96, 110, 136));
  gradient.setColorAt(1, QColor(30, 36, 50));
  painter.fillPath(path, gradient);
  return image;
}

QImage DrawTabStrip(QSize size) {
  QImage image = Blank(size, true);
  QPainter painter(&image);
  BarBody(painter, size, QColor(44, 60, 92), QColor(16, 22, 34));
  painter.setPen(QPen(QColor(82, 255, 255), size.height() * 0.06));
  painter.drawLine(QPointF(0, size.height() - 1), QPointF(size.width(), size.height() - 1));
  return image;
}

QImage DrawKLineMenu(QSize size) {
  QImage image = Blank(size, true);
  QPainter painter(&image);
  Smooth(painter);
  QRectF tile = Tile(painter, size, QColor(52, 64, 90));
  painter.setPen(WhitePen(size.width() * 0.08));
  for (int i = 1; i <= 3; ++i) {
    qreal y = tile.top() + tile.height() * i / 4.0;
    painter.drawLine(QPointF(tile.left() + tile.width() * 0.25, y),
                     QPointF(tile.right() - tile.width() * 0.25, y));
  }
  return image;
}

QImage DrawStartupBar(QSize size) { return ProgressBar(size, QColor(40, 170, 120), QColor(10, 70, 50)); }

QImage DrawBusyBar(QSize size) { return ProgressBar(size, QColor(240, 160, 40), QColor(130, 70, 10)); }

QImage DrawDelete(QSize size) {
  QImage image = Blank(size, true);
  QPainter painter(&image);
  Smooth(painter);
  QRectF disc(size.width() * 0.06, size.height() * 0.06, size.width() * 0.88, size.height() * 0.88);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(200, 40, 40));
  painter.drawEllipse(disc);
  painter.setPen(WhitePen(size.width() * 0.12));
  painter.drawLine(QPointF(disc.left() + disc.width() * 0.25, disc.center().y()),
                   QPointF(disc.right() - disc.width() * 0.25, disc.center().y()));
  return image;
}

QImage DrawSeparator(QSize size) {
  QImage image = Blank(size, true);
  QPainter painter(&image);
  QLinearGradient gradient(QPointF(0, 0), QPointF(size.width(), 0));
  gradient.setColorAt(0, QColor(128, 128, 128, 0));
  gradient.setColorAt(0.5, QColor(160, 160, 160, 255));
  gradient.setColorAt(1, QColor(128, 128, 128, 0));
  painter.fillRect(QRectF(QPointF(0, 0), QSizeF(size)), gradient);
  return image;
}

}  // namespace tarvello::pictures
