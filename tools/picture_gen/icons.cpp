// The twelve menu cells' icons and the call button: a white symbol on a coloured tile, one symbol
// per function (own list, indices, fund flow, the self-selected quote list, rankings, sectors,
// recently viewed, must-read news, index futures, broker trading, settings, help); and the
// program's own icon for the desktop menu.
#include <QFont>
#include <QPolygonF>
#include <array>
#include <cmath>
#include <numbers>

#include "catalogue.h"
#include "drawing.h"

namespace tarvello::pictures {
namespace {

// Coordinates in a unit square inside the tile's symbol area.
class Symbol {
 public:
  Symbol(QPainter& painter, const QRectF& tile) : painter_(painter) {
    area_ = tile.adjusted(tile.width() * 0.2, tile.height() * 0.2, -tile.width() * 0.2,
                          -tile.height() * 0.2);
  }
  QPointF At(double x, double y) const {
    return QPointF(area_.left() + x * area_.width(), area_.top() + y * area_.height());
  }
  QRectF Box(double x, double y, double w, double h) const {
    return QRectF(At(x, y), At(x + w, y + h));
  }
  qreal Unit(double fraction) const { return area_.width() * fraction; }
  QPainter& painter() { return painter_; }
  void Stroke(double width) { painter_.setPen(WhitePen(Unit(width))); painter_.setBrush(Qt::NoBrush); }
  void Fill() { painter_.setPen(Qt::NoPen); painter_.setBrush(Qt::white); }

 private:
  QPainter& painter_;
  QRectF area_;
};

void Star(Symbol& s) {
  QPolygonF star;
  for (int i = 0; i < 10; ++i) {
    double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    double r = i % 2 == 0 ? 0.5 : 0.2;
    star << s.At(0.5 + r * std::cos(angle), 0.55 + r * std::sin(angle));
  }
  s.Fill();
  s.painter().drawPolygon(star);
}

void LineChart(Symbol& s) {
  s.Stroke(0.07);
  s.painter().drawPolyline(QPolygonF{s.At(0, 0), s.At(0, 1), s.At(1, 1)});
  s.Stroke(0.09);
  s.painter().drawPolyline(QPolygonF{s.At(0.1, 0.8), s.At(0.35, 0.45), s.At(0.55, 0.65), s.At(0.95, 0.15)});
}

void FundFlow(Symbol& s) {
  s.Stroke(0.08);
  s.painter().drawEllipse(s.Box(0.2, 0.2, 0.6, 0.6));
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(s.Unit(0.42)));
  font.setBold(true);
  s.painter().setFont(font);
  s.painter().drawText(s.Box(0.2, 0.2, 0.6, 0.6), Qt::AlignCenter, QStringLiteral("¥"));
  s.painter().drawLine(s.At(0.0, 0.1), s.At(0.25, 0.1));
  s.painter().drawPolyline(QPolygonF{s.At(0.15, 0.0), s.At(0.25, 0.1), s.At(0.15, 0.2)});
  s.painter().drawLine(s.At(0.75, 0.9), s.At(1.0, 0.9));
  s.painter().drawPolyline(QPolygonF{s.At(0.9, 0.8), s.At(1.0, 0.9), s.At(0.9, 1.0)});
}

// A list with round bullets: the self-selected quote list.
void OwnList(Symbol& s) {
  s.Fill();
  for (int i = 0; i < 3; ++i) {
    const double y = 0.1 + i * 0.32;
    s.painter().drawEllipse(s.Box(0, y, 0.2, 0.2));
    s.painter().drawRoundedRect(s.Box(0.32, y + 0.05, 0.68, 0.1), s.Unit(0.03), s.Unit(0.03));
  }
}

void Bars(Symbol& s) {
  s.Fill();
  for (int i = 0; i < 4; ++i) {
    double height = 0.3 + 0.23 * i;
    s.painter().drawRoundedRect(s.Box(0.02 + i * 0.25, 1 - height, 0.18, height), s.Unit(0.03), s.Unit(0.03));
  }
}

void Pie(Symbol& s) {
  s.Fill();
  s.painter().drawPie(s.Box(0, 0.05, 0.9, 0.9), 90 * 16, 270 * 16);
  s.painter().drawPie(s.Box(0.1, -0.05, 0.9, 0.9), 0, 90 * 16);
}

void Clock(Symbol& s) {
  s.Stroke(0.08);
  s.painter().drawEllipse(s.Box(0, 0, 1, 1));
  s.painter().drawPolyline(QPolygonF{s.At(0.5, 0.18), s.At(0.5, 0.5), s.At(0.75, 0.65)});
}

void News(Symbol& s) {
  s.Stroke(0.07);
  s.painter().drawRoundedRect(s.Box(0.08, 0, 0.84, 1), s.Unit(0.06), s.Unit(0.06));
  for (int i = 0; i < 4; ++i) {
    double y = 0.22 + i * 0.19;
    s.painter().drawLine(s.At(0.24, y), s.At(i == 3 ? 0.55 : 0.76, y));
  }
}

void Candles(Symbol& s) {
  const std::array<std::array<double, 4>, 3> candles = {{
      {0.15, 0.25, 0.45, 0.85}, {0.5, 0.05, 0.2, 0.6}, {0.85, 0.3, 0.45, 0.8}}};
  for (const auto& c : candles) {
    s.Stroke(0.05);
    s.painter().drawLine(s.At(c[0], c[1] - 0.05), s.At(c[0], c[3] + 0.1));
    s.Fill();
    s.painter().drawRect(s.Box(c[0] - 0.1, c[1] + 0.05, 0.2, c[2]));
  }
}

QPainterPath Handset(const Symbol& s) {
  QPainterPath path;
  path.moveTo(s.At(0.1, 0.15));
  path.cubicTo(s.At(0.05, 0.55), s.At(0.45, 0.95), s.At(0.85, 0.9));
  return path;
}

void Phone(Symbol& s) {
  QPen pen = WhitePen(s.Unit(0.2));
  s.painter().setPen(pen);
  s.painter().setBrush(Qt::NoBrush);
  s.painter().drawPath(Handset(s));
  s.Fill();
  s.painter().drawEllipse(s.Box(0.0, 0.0, 0.3, 0.3));
  s.painter().drawEllipse(s.Box(0.7, 0.72, 0.3, 0.3));
}

void Gear(Symbol& s) {
  s.Fill();
  QPolygonF teeth;
  for (int i = 0; i < 32; ++i) {
    double angle = i * std::numbers::pi / 16;
    double r = (i / 2) % 2 == 0 ? 0.5 : 0.38;
    teeth << s.At(0.5 + r * std::cos(angle), 0.5 + r * std::sin(angle));
  }
  QPainterPath gear;
  gear.addPolygon(teeth);
  gear.closeSubpath();
  QPainterPath hole;
  hole.addEllipse(s.Box(0.33, 0.33, 0.34, 0.34));
  s.painter().drawPath(gear.subtracted(hole));
}

void Question(Symbol& s) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(static_cast<int>(s.Unit(1.1)));
  font.setBold(true);
  s.painter().setFont(font);
  s.painter().setPen(Qt::white);
  s.painter().drawText(s.Box(0, 0, 1, 1), Qt::AlignCenter, QStringLiteral("?"));
}

struct Cell {
  QColor colour;
  void (*symbol)(Symbol&);
};

const std::array<Cell, 12> kCells = {{
    {QColor(214, 150, 30), Star},     {QColor(200, 50, 50), LineChart},
    {QColor(40, 150, 90), FundFlow},  {QColor(40, 110, 200), OwnList},
    {QColor(150, 70, 190), Bars},     {QColor(220, 110, 40), Pie},
    {QColor(30, 150, 160), Clock},    {QColor(90, 110, 140), News},
    {QColor(180, 40, 90), Candles},   {QColor(50, 140, 60), Phone},
    {QColor(100, 100, 110), Gear},    {QColor(40, 90, 170), Question},
}};

QImage DrawCell(const Cell& cell, QSize size) {
  QImage image = Blank(size, true);
  QPainter painter(&image);
  Smooth(painter);
  QRectF tile = Tile(painter, size, cell.colour);
  Symbol symbol(painter, tile);
  cell.symbol(symbol);
  return image;
}

}  // namespace

QImage DrawMenuIcon(int index, QSize size) { return DrawCell(kCells.at(static_cast<std::size_t>(index)), size); }

// The program's icon in the desktop menu: candles on the red of a rising price.
QImage DrawAppIcon(QSize size) { return DrawCell(Cell{QColor(200, 50, 50), Candles}, size); }

QImage DrawCall(QSize size) {
  QImage image = Blank(size, true);
  QPainter painter(&image);
  Smooth(painter);
  QRectF disc(size.width() * 0.06, size.height() * 0.06, size.width() * 0.88, size.height() * 0.88);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(40, 160, 70));
  painter.drawEllipse(disc);
  Symbol symbol(painter, disc);
  Phone(symbol);
  return image;
}

}  // namespace tarvello::pictures
