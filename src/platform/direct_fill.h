// FillRectsDirect: filled rectangles written straight into the image a painter draws on. The
// raster engine fills a rectangle one row at a time, a call per row: a volume bar a pixel wide
// and a hundred tall costs it a hundred calls, and a day's intraday chart has 242 bars, a third
// of the whole detail screen's paint. Written here, a bar costs a store per pixel.
//
// It writes only where that sets exactly the pixels the painter would: a 32-bit image under the
// raster engine, reached through a shift by whole pixels (no scaling for a high-density screen),
// at full opacity with the plain composition, and clipped to one rectangle at most by the painter
// and one by the paint event. Elsewhere it draws nothing and says so, and the painter fills.
#pragma once

#include <QPainter>
#include <QRgb>
#include <span>

#include "platform/canvas.h"

namespace tarvello {

// Fills boxes, in the painter's coordinates, with the opaque colour rgb; false, having drawn
// nothing, where the painter must fill them itself.
bool FillRectsDirect(QPainter& painter, std::span<const Rect> boxes, QRgb rgb);

}  // namespace tarvello
