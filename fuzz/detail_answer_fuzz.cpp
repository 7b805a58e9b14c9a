// Feeds arbitrary bytes to the detail screen's answer reader as the server's answer, then runs
// the intraday chart figures over whatever came out, so that hostile minute values reach the
// arithmetic of the gap filling, the price range, the labels and the cursor box.
#include <cstddef>
#include <cstdint>

#include "detail/detail_answer.h"
#include "detail/intraday_chart_model.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tarvello::DetailRecords records;
  tarvello::ReadDetailAnswer(data, size, records);
  auto& minutes = records.minutes.records;
  const auto& quote = records.quote;
  tarvello::FillMinuteGaps(minutes, quote.prevClose);
  const tarvello::PriceRange range = tarvello::ComputePriceRange(minutes, quote.prevClose, quote.high, quote.low);
  const tarvello::PriceScale scale(range, quote.prevClose, 300);
  tarvello::ScaleLabels(range, quote.prevClose, records.security.priceDecimals);
  tarvello::TimeAxisLabelsFor(records.hours, records.security.code, records.IsFutureMode());
  const tarvello::CursorContext context{quote.prevClose, quote.last, quote.turnoverBase,
                                        records.security.priceDecimals, records.security.securityType};
  for (std::size_t i = 0; i < minutes.size(); ++i) {
    scale.Y(minutes[i].price / 10);
    tarvello::MinuteX(static_cast<int>(i), 320, records.minutes.slotCount);
    tarvello::CursorBoxRows(minutes[i], context);
  }
  tarvello::VolumeBandFor(minutes, static_cast<int>(minutes.size()) - 1, records.minutes.totalVolume,
                          records.security.securityType, quote.last);
  return 0;
}
