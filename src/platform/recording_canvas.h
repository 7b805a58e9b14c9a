// RecordingCanvas: a Canvas that draws nothing and writes down every call, for tests. Its text
// metrics are fixed (a font of pixel height h has height h, external leading 2, average character
// width h/2, maximum width h; ASCII characters are h/2 wide, all others h), so layouts come out
// the same on every machine. Tests then ask "which texts were drawn, where, in which colour".
// One thread, like any canvas.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace tarvello {

struct DrawCall {
  enum class Kind { kText, kLine, kPolyline, kPolygon, kRectangle, kEllipse, kFill, kDim, kPicture };
  Kind kind = Kind::kText;
  Rect box;                   // text box, shape bounds, fill or picture rectangle
  std::vector<Point> points;  // lines and polygons
  std::u16string text;        // kText
  unsigned flags = 0;         // kText
  ColorRef color = kBlack;    // text colour for kText, fill colour for kFill
  Pen pen;
  Brush brush;
  Font font;
  std::string picture;        // kPicture: the picture's name
  bool picture_missing = false;
  std::optional<Rect> clip;
};

class RecordingCanvas : public Canvas {
 public:
  static constexpr int kDefaultFontHeight = 16;

  explicit RecordingCanvas(Size size) : size_(size) {}

  Size size() const override { return size_; }
  void SetPen(const Pen& pen) override { pen_ = pen; }
  void SetBrush(const Brush& brush) override { brush_ = brush; }
  void SetTextColor(ColorRef color) override { text_color_ = color; }
  void SetFont(const Font& font) override { font_ = font; }
  TextMetrics Metrics() const override;
  int TextWidth(std::u16string_view text) const override;

  void DrawText(std::u16string_view text, const Rect& box, unsigned flags) override;
  void Line(Point from, Point to) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& box) override;
  void Ellipse(const Rect& box) override;
  void FillRect(const Rect& box, ColorRef color) override;
  void Dim(const Rect& box) override { calls_.push_back(Start(DrawCall::Kind::kDim, box)); }
  void DrawPicture(const Picture& picture, const Rect& box) override;
  void SetClip(const Rect& box) override { clip_ = box; }
  void ResetClip() override { clip_.reset(); }

  const std::vector<DrawCall>& calls() const { return calls_; }
  std::vector<DrawCall> Texts() const;
  // The first text call whose text is exactly text.
  std::optional<DrawCall> FindText(std::u16string_view text) const;
  bool DrewText(std::u16string_view text, ColorRef color) const;
  std::vector<DrawCall> CallsOf(DrawCall::Kind kind) const;
  void Clear() { calls_.clear(); }

 private:
  int FontHeight() const;
  DrawCall Start(DrawCall::Kind kind, const Rect& box) const;
  static Rect Bounds(std::span<const Point> points);

  Size size_;
  Pen pen_;
  Brush brush_;
  ColorRef text_color_ = kWhite;
  Font font_;
  std::optional<Rect> clip_;
  std::vector<DrawCall> calls_;
};

}  // namespace tarvello
