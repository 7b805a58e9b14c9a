// The figures of the intraday chart, apart from any drawing: gap filling of the minute records,
// the price range centred on the previous close, the scale labels, the time-axis labels, the
// minute under the cursor and the texts of the cursor's info box and of the volume label band.
// All arithmetic on wire values is done in 64 bits, so hostile prices cannot overflow. Pure
// functions, any thread.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "detail/detail_records.h"
#include "market/display_colours.h"

namespace tarvello {

// Fills zero prices and averages from the previous minute (the first from prevClose x 10) and
// computes each minute's own volume. Returns the largest minute volume.
std::int32_t FillMinuteGaps(std::vector<MinuteRecord>& records, std::int32_t prevClose);

// Vertical range of the price area on the snapshot scale, symmetric around prevClose.
struct PriceRange {
  std::int64_t top = 0;
  std::int64_t bottom = 0;
  std::int64_t dev = 0;
};

// The widest deviation of prices, averages, high and low from prevClose; +-1 % of prevClose when
// there are no records or the deviation equals prevClose (nothing traded, low still 0).
PriceRange ComputePriceRange(const std::vector<MinuteRecord>& records, std::int32_t prevClose,
                             std::int32_t high, std::int32_t low);

// Maps a snapshot-scale price to a y in a price area of the given height, prevClose on the
// middle line.
class PriceScale {
 public:
  PriceScale(const PriceRange& range, std::int32_t prevClose, int areaHeight);
  int Y(std::int64_t value) const;

 private:
  std::int64_t bottom_;
  int height_;
  double scale_;
  int offset_ = 0;
};

struct ScaleLabel {
  std::u16string value;
  ColorRef colour = kFlatGrey;
  std::u16string percent;  // empty on the middle row and without a previous close
};

// Five rows from top to bottom: top, prevClose + dev/2, prevClose, prevClose - dev/2, bottom.
std::array<ScaleLabel, 5> ScaleLabels(const PriceRange& range, std::int32_t prevClose, std::uint8_t priceDecimals);

struct TimeAxisLabels {
  std::u16string left;
  std::u16string centre;  // empty when the session bounds come from the server
  std::u16string right;
};

TimeAxisLabels TimeAxisLabelsFor(const TradingHours& hours, const SecurityCode& code, bool indexFuture);

// x of minute i in a chart of the given width.
int MinuteX(int index, int chartWidth, int slotCount);

// One minute's volume bar: the column of pixels at x from top down to the chart's volume baseline.
struct VolumeBar {
  int x = 0;
  int top = 0;
  ColorRef colour = kRiseRed;
};

// Rectangles of one colour, to be filled in one go.
struct ColourFills {
  ColorRef colour = kRiseRed;
  std::vector<Rect> rects;
};

// The rectangles that set the pixels the bars set when drawn one after another down to bottom
// (inclusive), later over earlier, gathered by colour so that each colour takes one call. Where
// minutes share a column (a chart narrower than its minutes) the later bar shows over its own
// height and an earlier, taller one above it, as before; the rectangles never overlap, so their
// order does not matter. bars come in the order of their minutes, x never decreasing.
std::vector<ColourFills> VolumeBarFills(std::span<const VolumeBar> bars, int bottom);

// Index of the minute under cursorX in a screen of width screenWidth; may be out of the records.
int CursorMinuteIndex(int cursorX, int screenWidth, int slotCount, bool fullScreen);

// The info box sits at the chart's left when the cursor is in its right half.
bool CursorBoxAtLeft(int cursorX, int chartWidth);

struct CursorBoxRow {
  std::u16string label;
  std::u16string value;
  ColorRef colour = kPlainWhite;
};

// What the screen knows of the security beyond the minute record.
struct CursorContext {
  std::int32_t prevClose = 0;
  std::int32_t last = 0;
  std::int32_t turnoverBase = 0;
  std::uint8_t priceDecimals = 0;
  std::uint8_t securityType = 0;
};

// "时", "价", "涨", "幅", "均", "换" for one (gap-filled) minute.
std::array<CursorBoxRow, 6> CursorBoxRows(const MinuteRecord& minute, const CursorContext& context);

struct VolumeBandTexts {
  std::u16string current;  // after "现手:"
  std::u16string total;    // after "总手:"
};

// The cursor's minute volume and the day's volume up to it, or the newest minute's volume and
// totalVolume when cursorIndex is empty.
VolumeBandTexts VolumeBandFor(const std::vector<MinuteRecord>& records, std::optional<int> cursorIndex,
                              std::int32_t totalVolume, std::uint8_t securityType, std::int32_t last);

}  // namespace tarvello
