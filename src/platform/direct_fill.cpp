#include "platform/direct_fill.h"

#include <QImage>
#include <QPaintEngine>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <optional>

namespace tarvello {
namespace {

// The image under the painter's engine, when it is one whose pixels are single 32-bit words.
QImage* TargetImage(QPainter& painter) {
  QPaintEngine* engine = painter.paintEngine();
  if (engine == nullptr || engine->type() != QPaintEngine::Raster) return nullptr;
  QPaintDevice* device = engine->paintDevice();
  if (device == nullptr || device->devType() != QInternal::Image) return nullptr;
  auto* image = static_cast<QImage*>(device);
  const QImage::Format format = image->format();
  const bool words = format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
                     format == QImage::Format_ARGB32_Premultiplied;
  return words ? image : nullptr;
}

// The whole-pixel shift from the painter's coordinates to the image's, if that is all there is.
std::optional<QPoint> WholePixelShift(const QPainter& painter) {
  const QTransform transform = painter.deviceTransform();
  if (transform.type() > QTransform::TxTranslate) return std::nullopt;
  const QPoint shift(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
  if (shift.x() != transform.dx() || shift.y() != transform.dy()) return std::nullopt;
  return shift;
}

// The part of the image the painter may set, in the image's pixels; nothing when a clip is more
// than one rectangle.
std::optional<QRect> ClipInImage(QPainter& painter, const QImage& image, QPoint shift) {
  QRect clip = image.rect();
  if (painter.hasClipping()) {
    const QRegion region = painter.clipRegion();
    if (region.rectCount() > 1) return std::nullopt;
    clip &= region.boundingRect().translated(shift);
  }
  // The paint event's region; empty when there is none.
  const QRegion system = painter.paintEngine()->systemClip();
  if (system.rectCount() > 1) return std::nullopt;
  if (!system.isEmpty()) clip &= system.boundingRect();
  return clip;
}

}  // namespace

bool FillRectsDirect(QPainter& painter, std::span<const Rect> boxes, QRgb rgb) {
  if (painter.opacity() != 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver) return false;
  QImage* image = TargetImage(painter);
  if (image == nullptr) return false;
  const std::optional<QPoint> shift = WholePixelShift(painter);
  if (!shift) return false;
  const std::optional<QRect> clip = ClipInImage(painter, *image, *shift);
  if (!clip) return false;
  // The engine's own buffer: bits() would copy the image if anything else shared it, and the
  // engine would go on drawing into the original.
  uchar* const bits = const_cast<uchar*>(image->constBits());
  const qsizetype stride = image->bytesPerLine();
  for (const Rect& box : boxes) {
    const QRect area = QRect(box.left, box.top, box.Width(), box.Height()).translated(*shift) & *clip;
    if (area.isEmpty()) continue;
    for (int y = area.top(); y <= area.bottom(); ++y) {
      QRgb* const row = reinterpret_cast<QRgb*>(bits + y * stride);
      std::fill(row + area.left(), row + area.right() + 1, rgb);
    }
  }
  return true;
}

}  // namespace tarvello
