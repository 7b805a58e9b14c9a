#include "platform/qt_canvas.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QPolygon>
#include <QString>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/direct_fill.h"
#include "platform/picture.h"
#include "platform/qt_text.h"
#include "platform/shaped_text_cache.h"

namespace tarvello {
namespace {

std::atomic<int> screen_font_height{16};

// Rectangles are half-open; QRect takes a width and a height.
QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

// The outline of a rectangle or ellipse stays inside the half-open rectangle, as on the handheld.
QRect OutlineRect(const Rect& r) { return QRect(r.left, r.top, r.Width() - 1, r.Height() - 1); }

QPolygon ToQPolygon(std::span<const Point> points) {
  QPolygon polygon;
  for (const Point& p : points) polygon << QPoint(p.x, p.y);
  return polygon;
}

int ToQtAlignment(unsigned flags) {
  int qt = Qt::AlignLeft;
  if (flags & kTextCenter) qt = Qt::AlignHCenter;
  if (flags & kTextRight) qt = Qt::AlignRight;
  if (flags & kTextVCenter) {
    qt |= Qt::AlignVCenter;
  } else if (flags & kTextBottom) {
    qt |= Qt::AlignBottom;
  } else {
    qt |= Qt::AlignTop;
  }
  if (flags & kTextWordBreak) qt |= Qt::TextWordWrap;
  if (flags & kTextSingleLine) qt |= Qt::TextSingleLine;
  return qt;
}

TextMetrics MetricsOf(const QFont& font) {
  QFontMetrics fm(font);
  return TextMetrics{fm.height(), std::max(0, fm.leading()), fm.averageCharWidth(), fm.maxWidth()};
}

}  // namespace

QtCanvas::QtCanvas(QImage& image)
    : QtCanvas(image, Size{static_cast<int>(image.width() / image.devicePixelRatio()),
                           static_cast<int>(image.height() / image.devicePixelRatio())}) {}

QtCanvas::QtCanvas(QWidget& widget) : QtCanvas(widget, Size{widget.width(), widget.height()}) {}

QtCanvas::QtCanvas(QPaintDevice& device, Size size) : painter_(&device), size_(size) {
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setPen(ToQPen(pen_));
  SetBrush(Brush{});
  SetFont(Font{});
}

void QtCanvas::SetScreenFontHeight(int pixel_height) {
  screen_font_height = std::max(8, pixel_height);
  // Buttons, lines, lists, pop-up menus and message boxes take the application font: they read
  // at the size of the text the screens draw around them.
  if (qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr) QApplication::setFont(MakeFont(Font{}));
}

int QtCanvas::ScreenFontHeight() { return screen_font_height; }

QFont QtCanvas::MakeFont(const Font& font) {
  QFont qfont(QStringLiteral("WenQuanYi Micro Hei"));
  qfont.setStyleHint(QFont::SansSerif);
  qfont.setPixelSize(font.pixel_height > 0 ? font.pixel_height : screen_font_height.load());
  qfont.setBold(font.bold);
  return qfont;
}

QColor QtCanvas::ToQColor(ColorRef color) {
  return QColor(RedOf(color), GreenOf(color), BlueOf(color));
}

QPen QtCanvas::ToQPen(const Pen& pen) {
  if (pen.style == PenStyle::kNone) return QPen(Qt::NoPen);
  QPen qpen(ToQColor(pen.color));
  qpen.setWidth(std::max(1, pen.width));
  qpen.setStyle(pen.style == PenStyle::kDash  ? Qt::DashLine
                : pen.style == PenStyle::kDot ? Qt::DotLine
                                              : Qt::SolidLine);
  return qpen;
}

void QtCanvas::SetPen(const Pen& pen) {
  if (pen == pen_ && !text_pen_on_) return;
  pen_ = pen;
  text_pen_on_ = false;
  painter_.setPen(ToQPen(pen));
}

void QtCanvas::UseShapePen() {
  if (text_pen_on_) SetPen(pen_);
}

void QtCanvas::UseTextPen() {
  if (text_pen_on_ && text_pen_color_ == text_color_) return;
  painter_.setPen(ToQColor(text_color_));
  text_pen_on_ = true;
  text_pen_color_ = text_color_;
}

void QtCanvas::SetBrush(const Brush& brush) {
  painter_.setBrush(brush.hollow ? QBrush(Qt::NoBrush) : QBrush(ToQColor(brush.color)));
}

// A font made once per thread, with its metrics once asked for: a canvas is made for every paint
// and sets the screen font first, and making the QFont (its family parsed, its engine looked up)
// and reading the average width from the font file cost more than a small window's whole paint.
struct QtCanvas::KeptFont {
  int key = 0;  // the pixel height, doubled and one more when bold
  QFont font;
  std::optional<TextMetrics> metrics;
};

auto QtCanvas::KeptFontFor(const Font& font) -> KeptFont& {
  thread_local std::unordered_map<int, KeptFont> fonts;
  const Font sized{font.pixel_height > 0 ? font.pixel_height : screen_font_height.load(), font.bold};
  const int key = sized.pixel_height * 2 + (sized.bold ? 1 : 0);
  const auto [kept, made] = fonts.try_emplace(key);
  if (made) kept->second = {key, MakeFont(sized), std::nullopt};
  return kept->second;
}

void QtCanvas::SetFont(const Font& font) {
  font_ = &KeptFontFor(font);
  painter_.setFont(font_->font);
}

TextMetrics QtCanvas::ScreenFontMetrics() { return MetricsOf(MakeFont(Font{})); }

TextMetrics QtCanvas::Metrics() const {
  if (!font_->metrics) font_->metrics = MetricsOf(painter_.font());
  return *font_->metrics;
}

int QtCanvas::TextWidth(std::u16string_view text) const {
  if (!ShapedTextCache::Holds(text)) return QFontMetrics(painter_.font()).horizontalAdvance(ToQString(text));
  return qRound(ShapedTextCache::ForThisThread().Line(text, painter_.font(), font_->key).size.width());
}

void QtCanvas::DrawText(std::u16string_view text, const Rect& box, unsigned flags) {
  UseTextPen();
  if ((flags & kTextWordBreak) == 0 && ShapedTextCache::Holds(text)) {
    DrawLine(text, box, flags);
  } else {
    painter_.drawText(ToQRect(box), ToQtAlignment(flags), ToQString(text));
  }
}

// One line placed in its box as drawText places it, from the shaped lines of this thread; a line
// larger than its box is clipped to it, as drawText clips.
void QtCanvas::DrawLine(std::u16string_view text, const Rect& box, unsigned flags) {
  const ShapedLine& line = ShapedTextCache::ForThisThread().Line(text, painter_.font(), font_->key);
  const QSizeF size = line.size;
  qreal x = box.left;
  qreal y = box.top;
  if (flags & kTextCenter) {
    x += (box.Width() - size.width()) / 2;
  } else if (flags & kTextRight) {
    x = box.right - size.width();
  }
  if (flags & kTextVCenter) {
    y += (box.Height() - size.height()) / 2;
  } else if (flags & kTextBottom) {
    y = box.bottom - size.height();
  }
  const QPointF at(x, qRound(y));
  if (size.width() <= box.Width() && size.height() <= box.Height()) {
    line.DrawAt(painter_, at);
    return;
  }
  painter_.save();
  painter_.setClipRect(ToQRect(box), Qt::IntersectClip);
  line.DrawAt(painter_, at);
  painter_.restore();
}

// A thin solid line along an axis is a filled rectangle of the pixels the pen would set, from
// one end to the other inclusive: the charts draw hundreds of them (volume bars, candles' wicks).
void QtCanvas::Line(Point from, Point to) {
  UseShapePen();
  if (pen_.style == PenStyle::kSolid && pen_.width <= 1 && (from.x == to.x || from.y == to.y)) {
    const QRect pixels(QPoint(std::min(from.x, to.x), std::min(from.y, to.y)),
                       QPoint(std::max(from.x, to.x), std::max(from.y, to.y)));
    painter_.fillRect(pixels, ToQColor(pen_.color));
    return;
  }
  painter_.drawLine(from.x, from.y, to.x, to.y);
}

void QtCanvas::Polyline(std::span<const Point> points) {
  UseShapePen();
  painter_.drawPolyline(ToQPolygon(points));
}

void QtCanvas::Polygon(std::span<const Point> points) {
  UseShapePen();
  painter_.drawPolygon(ToQPolygon(points));
}

void QtCanvas::Rectangle(const Rect& box) {
  UseShapePen();
  if (!box.IsEmpty()) painter_.drawRect(OutlineRect(box));
}

void QtCanvas::Ellipse(const Rect& box) {
  UseShapePen();
  if (!box.IsEmpty()) painter_.drawEllipse(OutlineRect(box));
}

void QtCanvas::FillRect(const Rect& box, ColorRef color) {
  painter_.fillRect(ToQRect(box), ToQColor(color));
}

void QtCanvas::FillRects(std::span<const Rect> boxes, ColorRef color) {
  if (boxes.empty() || FillRectsDirect(painter_, boxes, ToQColor(color).rgb())) return;
  std::vector<QRect> rects;
  rects.reserve(boxes.size());
  for (const Rect& box : boxes) {
    if (!box.IsEmpty()) rects.push_back(ToQRect(box));
  }
  painter_.save();
  painter_.setPen(Qt::NoPen);
  painter_.setBrush(ToQColor(color));
  painter_.drawRects(rects.data(), static_cast<int>(rects.size()));
  painter_.restore();
}

void QtCanvas::Dim(const Rect& box) { painter_.fillRect(ToQRect(box), QColor(0, 0, 0, 128)); }

void QtCanvas::DrawPicture(const Picture& picture, const Rect& box) {
  if (picture.IsEmpty() || box.IsEmpty()) return;
  // The picture comes scaled to the box's pixels, so drawing it is a copy.
  const qreal ratio = painter_.device()->devicePixelRatioF();
  const QImage scaled = picture.ScaledTo(QSize(qRound(box.Width() * ratio), qRound(box.Height() * ratio)));
  if (!scaled.isNull()) painter_.drawImage(ToQRect(box), scaled);
}

void QtCanvas::SetClip(const Rect& box) { painter_.setClipRect(ToQRect(box)); }

void QtCanvas::ResetClip() { painter_.setClipping(false); }

}  // namespace tarvello
