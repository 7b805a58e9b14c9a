#include "server/site/arrow_picture.h"

#include <cstdlib>

#include "protocol/wire_writer.h"

namespace tarvello::server {
namespace {

constexpr std::uint32_t kHeaderBytes = 14 + 40;
constexpr std::uint32_t kRowBytes = kArrowPictureSide * 3;  // a multiple of four: no row padding
constexpr std::uint32_t kPixelBytes = kRowBytes * kArrowPictureSide;

// The triangle widens by one pixel on each side every second row from its tip.
bool InArrow(int x, int row_from_tip) {
  return std::abs(2 * x + 1 - kArrowPictureSide) <= row_from_tip + 1;
}

}  // namespace

std::string ArrowPicture(bool up, ColorRef colour) {
  WireWriter out;
  out.U8('B').U8('M').U32(kHeaderBytes + kPixelBytes).U32(0).U32(kHeaderBytes);
  out.U32(40).I32(kArrowPictureSide).I32(kArrowPictureSide).U16(1).U16(24).U32(0).U32(kPixelBytes);
  out.U32(2835).U32(2835).U32(0).U32(0);
  // Rows are stored bottom first, pixels as blue, green, red.
  for (int row = kArrowPictureSide - 1; row >= 0; --row) {
    const int from_tip = up ? row : kArrowPictureSide - 1 - row;
    for (int x = 0; x < kArrowPictureSide; ++x) {
      const ColorRef pixel = InArrow(x, from_tip) ? colour : 0;
      out.U8(static_cast<std::uint8_t>(pixel >> 16))
          .U8(static_cast<std::uint8_t>(pixel >> 8))
          .U8(static_cast<std::uint8_t>(pixel));
    }
  }
  const Bytes bytes = out.Take();
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace tarvello::server
