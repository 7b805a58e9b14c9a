#include "platform/recording_canvas.h"

#include <algorithm>

#include "platform/picture.h"

namespace tarvello {

int RecordingCanvas::FontHeight() const {
  return font_.pixel_height > 0 ? font_.pixel_height : kDefaultFontHeight;
}

TextMetrics RecordingCanvas::Metrics() const {
  int h = FontHeight();
  return TextMetrics{h, 2, h / 2, h};
}

int RecordingCanvas::TextWidth(std::u16string_view text) const {
  int h = FontHeight();
  int width = 0;
  for (char16_t c : text) width += c < 0x80 ? h / 2 : h;
  return width;
}

DrawCall RecordingCanvas::Start(DrawCall::Kind kind, const Rect& box) const {
  DrawCall call;
  call.kind = kind;
  call.box = box;
  call.pen = pen_;
  call.brush = brush_;
  call.font = font_;
  call.color = text_color_;
  call.clip = clip_;
  return call;
}

Rect RecordingCanvas::Bounds(std::span<const Point> points) {
  if (points.empty()) return Rect{};
  Rect r{points[0].x, points[0].y, points[0].x + 1, points[0].y + 1};
  for (const Point& p : points) {
    r.left = std::min(r.left, p.x);
    r.top = std::min(r.top, p.y);
    r.right = std::max(r.right, p.x + 1);
    r.bottom = std::max(r.bottom, p.y + 1);
  }
  return r;
}

void RecordingCanvas::DrawText(std::u16string_view text, const Rect& box, unsigned flags) {
  DrawCall call = Start(DrawCall::Kind::kText, box);
  call.text = std::u16string(text);
  call.flags = flags;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::Line(Point from, Point to) {
  Point ends[] = {from, to};
  DrawCall call = Start(DrawCall::Kind::kLine, Bounds(ends));
  call.points.assign(std::begin(ends), std::end(ends));
  calls_.push_back(std::move(call));
}

void RecordingCanvas::Polyline(std::span<const Point> points) {
  DrawCall call = Start(DrawCall::Kind::kPolyline, Bounds(points));
  call.points.assign(points.begin(), points.end());
  calls_.push_back(std::move(call));
}

void RecordingCanvas::Polygon(std::span<const Point> points) {
  DrawCall call = Start(DrawCall::Kind::kPolygon, Bounds(points));
  call.points.assign(points.begin(), points.end());
  calls_.push_back(std::move(call));
}

void RecordingCanvas::Rectangle(const Rect& box) {
  calls_.push_back(Start(DrawCall::Kind::kRectangle, box));
}

void RecordingCanvas::Ellipse(const Rect& box) {
  calls_.push_back(Start(DrawCall::Kind::kEllipse, box));
}

void RecordingCanvas::FillRect(const Rect& box, ColorRef color) {
  DrawCall call = Start(DrawCall::Kind::kFill, box);
  call.color = color;
  calls_.push_back(std::move(call));
}

void RecordingCanvas::DrawPicture(const Picture& picture, const Rect& box) {
  DrawCall call = Start(DrawCall::Kind::kPicture, box);
  call.picture = picture.name();
  call.picture_missing = picture.IsEmpty();
  calls_.push_back(std::move(call));
}

std::vector<DrawCall> RecordingCanvas::CallsOf(DrawCall::Kind kind) const {
  std::vector<DrawCall> found;
  std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(found),
               [kind](const DrawCall& c) { return c.kind == kind; });
  return found;
}

std::vector<DrawCall> RecordingCanvas::Texts() const { return CallsOf(DrawCall::Kind::kText); }

std::optional<DrawCall> RecordingCanvas::FindText(std::u16string_view text) const {
  for (const DrawCall& c : calls_) {
    if (c.kind == DrawCall::Kind::kText && c.text == text) return c;
  }
  return std::nullopt;
}

bool RecordingCanvas::DrewText(std::u16string_view text, ColorRef color) const {
  return std::any_of(calls_.begin(), calls_.end(), [&](const DrawCall& c) {
    return c.kind == DrawCall::Kind::kText && c.text == text && c.color == color;
  });
}

}  // namespace tarvello
