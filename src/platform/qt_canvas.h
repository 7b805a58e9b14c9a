// QtCanvas: the Canvas over a QPainter on an image or a window. Windows paint through it straight
// into the top-level window's backing store; pictures, tests and benchmarks paint on images. The
// screen font is the CJK-capable sans font at the pixel height the frame chose for the screen size
// (SetScreenFontHeight).
// Lives for one paint on the user-interface thread.
#pragma once

#include <QFont>
#include <QPainter>

#include "platform/canvas.h"

class QImage;
class QWidget;

namespace tarvello {

class QtCanvas : public Canvas {
 public:
  // Paints on image, whose device pixel ratio maps logical pixels to image pixels.
  explicit QtCanvas(QImage& image);
  // Paints on widget, inside its paint event.
  explicit QtCanvas(QWidget& widget);

  // The pixel height of the screen font (Font{0}) for every canvas made afterwards, and the
  // font of every Qt control once the application exists.
  static void SetScreenFontHeight(int pixel_height);
  static int ScreenFontHeight();
  static QFont MakeFont(const Font& font);
  // The metrics of the screen font, measured without a paint.
  static TextMetrics ScreenFontMetrics();
  static QColor ToQColor(ColorRef color);
  static QPen ToQPen(const Pen& pen);

  Size size() const override { return size_; }
  void SetPen(const Pen& pen) override;
  void SetBrush(const Brush& brush) override;
  void SetTextColor(ColorRef color) override { text_color_ = color; }
  void SetFont(const Font& font) override;
  TextMetrics Metrics() const override;
  int TextWidth(std::u16string_view text) const override;

  void DrawText(std::u16string_view text, const Rect& box, unsigned flags) override;
  void Line(Point from, Point to) override;
  void Polyline(std::span<const Point> points) override;
  void Polygon(std::span<const Point> points) override;
  void Rectangle(const Rect& box) override;
  void Ellipse(const Rect& box) override;
  void FillRect(const Rect& box, ColorRef color) override;
  void FillRects(std::span<const Rect> boxes, ColorRef color) override;
  void Dim(const Rect& box) override;
  void DrawPicture(const Picture& picture, const Rect& box) override;
  void SetClip(const Rect& box) override;
  void ResetClip() override;

 private:
  struct KeptFont;
  static KeptFont& KeptFontFor(const Font& font);

  QtCanvas(QPaintDevice& device, Size size);
  void DrawLine(std::u16string_view text, const Rect& box, unsigned flags);
  // The painter's pen is the shapes' pen or the text colour, switched only when the other is
  // needed: a screen draws runs of lines and runs of text, and each switch costs the engine.
  void UseShapePen();
  void UseTextPen();

  QPainter painter_;
  Size size_;
  Pen pen_;
  bool text_pen_on_ = false;
  ColorRef text_pen_color_ = kWhite;
  KeptFont* font_ = nullptr;  // the font set, kept for the thread
  ColorRef text_color_ = kWhite;
};

}  // namespace tarvello
