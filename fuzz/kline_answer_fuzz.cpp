// Feeds arbitrary bytes to the K-line model as the server's answer to every request: the full
// load, the history extension of a cursor walk to the left and the refresh, and then runs every
// indicator over whatever bars came out, so that hostile bar values reach the arithmetic too.
#include <cstddef>
#include <cstdint>
#include <span>

#include "kline/kline_exchange.h"
#include "kline/kline_model.h"

namespace {

constexpr tarvello::KLineIndicator kIndicators[] = {
    tarvello::KLineIndicator::kMacd, tarvello::KLineIndicator::kKdj, tarvello::KLineIndicator::kRsi,
    tarvello::KLineIndicator::kBias, tarvello::KLineIndicator::kCci, tarvello::KLineIndicator::kVol,
    tarvello::KLineIndicator::kBoll, tarvello::KLineIndicator::kWr};

// Answers every request with the same bytes.
class EchoExchange : public tarvello::KLineExchange {
 public:
  explicit EchoExchange(std::span<const std::uint8_t> answer) : answer_(answer) {}
  int Exchange(std::span<const std::uint8_t>, std::size_t capacity, tarvello::Bytes& answer) override {
    const std::size_t size = answer_.size() < capacity ? answer_.size() : capacity;
    answer.assign(answer_.begin(), answer_.begin() + static_cast<std::ptrdiff_t>(size));
    return static_cast<int>(size);
  }

 private:
  std::span<const std::uint8_t> answer_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  EchoExchange exchange({data, size});
  tarvello::KLineModel model(&exchange, 240);
  model.Open(u"SH600001", false, tarvello::KLineModel::OpenMode::kResetChoices);
  for (int i = 0; i < 100; ++i) model.MoveCursorLeft();
  model.Refresh();
  for (tarvello::KLineIndicator indicator : kIndicators) model.SelectIndicator(indicator);
  return 0;
}
