// Canvas: the drawing surface screens paint on, shaped like the handheld's GDI: a current pen,
// brush, text colour and font; text with alignment flags; lines, rectangles, polygons, ellipses and
// stretched pictures. Colours are ColorRef values (0x00BBGGRR) and are converted only inside an
// implementation. Coordinates are logical pixels of the handheld screen; rectangles are half-open.
// Text is always drawn with a transparent background.
//
// Two implementations: QtCanvas draws into an off-screen image; RecordingCanvas writes down every
// call with fixed text metrics, so tests can ask what was drawn where without comparing pixels.
// A canvas belongs to the thread that paints with it.
#pragma once

#include <span>
#include <string_view>

#include "base/color.h"
#include "base/geometry.h"
#include "base/text_metrics.h"

namespace tarvello {

class Picture;

enum class PenStyle { kSolid, kDash, kDot, kNone };

struct Pen {
  ColorRef color = kWhite;
  int width = 1;
  PenStyle style = PenStyle::kSolid;
  friend bool operator==(const Pen&, const Pen&) = default;
};

struct Brush {
  ColorRef color = kBlack;
  bool hollow = false;  // outlines only
  friend bool operator==(const Brush&, const Brush&) = default;
};

struct Font {
  int pixel_height = 0;  // 0: the screen font
  bool bold = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// DrawText flags; they combine like the handheld's DT_ flags.
enum TextFlag : unsigned {
  kTextLeft = 0x0,
  kTextCenter = 0x1,
  kTextRight = 0x2,
  kTextTop = 0x0,
  kTextVCenter = 0x4,
  kTextBottom = 0x8,
  kTextWordBreak = 0x10,
  kTextSingleLine = 0x20,
};
// One line of text centred on the height of its box, as most cells and labels are drawn.
inline constexpr unsigned kTextOneLine = kTextSingleLine | kTextVCenter;

class Canvas {
 public:
  virtual ~Canvas() = default;

  virtual Size size() const = 0;
  virtual void SetPen(const Pen& pen) = 0;
  virtual void SetBrush(const Brush& brush) = 0;
  virtual void SetTextColor(ColorRef color) = 0;
  virtual void SetFont(const Font& font) = 0;
  virtual TextMetrics Metrics() const = 0;
  virtual int TextWidth(std::u16string_view text) const = 0;

  virtual void DrawText(std::u16string_view text, const Rect& box, unsigned flags) = 0;
  virtual void Line(Point from, Point to) = 0;
  virtual void Polyline(std::span<const Point> points) = 0;
  // Outlined with the pen and filled with the brush, like Rectangle and Ellipse.
  virtual void Polygon(std::span<const Point> points) = 0;
  virtual void Rectangle(const Rect& box) = 0;
  virtual void Ellipse(const Rect& box) = 0;
  virtual void FillRect(const Rect& box, ColorRef color) = 0;
  // FillRect on each box, for a canvas that can fill many in one go (the charts' bars).
  virtual void FillRects(std::span<const Rect> boxes, ColorRef color) {
    for (const Rect& box : boxes) FillRect(box, color);
  }
  // Darkens what is drawn in box by half, leaving it readable (figures that may be old).
  virtual void Dim(const Rect& box) = 0;
  // Stretches the picture into box; a missing picture draws nothing.
  virtual void DrawPicture(const Picture& picture, const Rect& box) = 0;
  // Limits all drawing to box until ResetClip.
  virtual void SetClip(const Rect& box) = 0;
  virtual void ResetClip() = 0;
};

}  // namespace tarvello
