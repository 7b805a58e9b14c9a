#include "server/wire/chart_answers.h"

#include <algorithm>
#include <cmath>

#include "protocol/wire_writer.h"
#include "server/market/quote_state.h"
#include "server/market/wire_limits.h"

namespace tarvello::server {

Bytes MinuteBody(const Market& market, int index, const Position& position, std::uint32_t start, bool short_form) {
  const Security& s = market.security(index);
  const auto path = market.Path(index, position.day_index);
  const QuoteState q = ComputeQuote(s, market.day(index, position.day_index), *path, position.slots);
  const int first = static_cast<int>(std::min<std::uint32_t>(start, static_cast<std::uint32_t>(q.slots)));
  WireWriter body;
  body.Str(s.code).Utf8(s.name).I32(q.prev_close).I32(Clamp32(q.volume)).I32(Clamp32(q.amount / 10000));
  body.U8(static_cast<std::uint8_t>(s.decimals)).U8(s.wire_type).I32(q.slots);
  body.I16(static_cast<std::int16_t>(q.slots - first));
  std::int64_t volume = 0;
  double weighted = 0;
  for (int k = 0; k < q.slots; ++k) {
    const auto i = static_cast<std::size_t>(k);
    volume += path->volume[i];
    weighted += static_cast<double>(path->price[i]) * path->volume[i];
    if (k < first) continue;
    const int average = static_cast<int>(std::lround(weighted * 10 / static_cast<double>(std::max<std::int64_t>(volume, 1))));
    body.I32(s.session->SlotTime(k)).I32(path->price[i] * 10).I32(Clamp32(volume)).I32(average);
    if (!short_form) body.I32(path->volume[i]);
  }
  body.I16(static_cast<std::int16_t>(s.session->SlotCount()));
  return body.Take();
}

Bytes KLineBody(const KLineSeries& series, int index, const Position& position, const KLineQuery& query) {
  const std::vector<Bar> bars = series.Bars(index, position, query);
  WireWriter body;
  body.I16(static_cast<std::int16_t>(bars.size()));
  for (const Bar& bar : bars) {
    body.I32(bar.date).I32(bar.open).I32(bar.high).I32(bar.low).I32(bar.close);
    body.I32(Clamp32(bar.volume)).I32(Clamp32(bar.amount / 10000));
  }
  return body.Take();
}

}  // namespace tarvello::server
