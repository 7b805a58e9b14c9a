// Feeds arbitrary bytes to the K-line model as the server's answer to every request: the full
// load, the history extension of a cursor walk to the left and the refresh, and then runs every
// indicator over whatever bars came out, so that hostile bar values reach the arithmetic too.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "kline/kline_answer.h"
#include "kline/kline_model.h"
#include "protocol/exchange_function.h"

namespace {

constexpr tarvello::KLineIndicator kIndicators[] = {
    tarvello::KLineIndicator::kMacd, tarvello::KLineIndicator::kKdj, tarvello::KLineIndicator::kRsi,
    tarvello::KLineIndicator::kBias, tarvello::KLineIndicator::kCci, tarvello::KLineIndicator::kVol,
    tarvello::KLineIndicator::kBoll, tarvello::KLineIndicator::kWr};

}  // namespace

// Answers every load the model asks for with the same bytes, the way the screen's worker does.
void AnswerLoads(tarvello::KLineModel& model, const tarvello::ExchangeFunction& exchange) {
  while (const std::optional<tarvello::KLineModel::Load> load = model.TakeLoad()) {
    model.ApplyLoad(*load, tarvello::FetchKLineAnswer(exchange, load->request));
  }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Every request is answered with the same bytes.
  const tarvello::ExchangeFunction echo = [data, size](std::span<const std::uint8_t>, std::span<std::uint8_t> answer) {
    const std::size_t length = std::min(size, answer.size());
    std::copy_n(data, length, answer.begin());
    return static_cast<int>(length);
  };
  tarvello::KLineModel model(240);
  model.Open(u"SH600001", false, tarvello::KLineModel::OpenMode::kResetChoices);
  AnswerLoads(model, echo);
  for (int i = 0; i < 100; ++i) {
    model.MoveCursorLeft();
    AnswerLoads(model, echo);
  }
  model.ApplyRefresh(tarvello::FetchKLineAnswer(echo, model.RefreshRequest()));
  for (tarvello::KLineIndicator indicator : kIndicators) model.SelectIndicator(indicator);
  return 0;
}
