#include "answer_fixture.h"

#include <map>
#include <memory>
#include <mutex>

#include "protocol/container_parser.h"
#include "server/wire/request_parser.h"

namespace tarvello::server::testing {

namespace {

MarketConfig SmallMarket(std::uint64_t seed, const SimTime& start) {
  MarketConfig config;
  config.seed = seed;
  config.start = start;
  config.history_days = 300;
  config.future_days = 20;
  return config;
}

// Markets are immutable apart from their own caches, so tests share one per moment and seed.
const Market& SharedMarket(std::uint64_t seed, const SimTime& start) {
  static std::mutex mutex;
  static std::map<std::pair<std::uint64_t, std::int64_t>, std::unique_ptr<Market>> markets;
  const std::lock_guard<std::mutex> lock(mutex);
  auto& market = markets[{seed, start.Tick()}];
  if (!market) market = std::make_unique<Market>(SmallMarket(seed, start));
  return *market;
}

HandlerSettings Settings(const std::string& latest_version) {
  HandlerSettings settings;
  settings.latest_version = latest_version;
  return settings;
}

}  // namespace

std::vector<Block> DecodeAnswer(const Bytes& answer, bool* complete) {
  std::vector<Block> blocks;
  const bool ok = ParseContainer(
      [&](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        blocks.push_back(Block{type, Bytes(bytes + start, bytes + end)});
        return 0;
      },
      answer.data(), answer.size());
  if (complete != nullptr) *complete = ok;
  return blocks;
}

AnswerFixture::AnswerFixture(const std::string& at, std::uint64_t seed, const std::string& latest_version)
    : clock(*ParseSimTime(at), 0),
      market(SharedMarket(seed, clock.start())),
      handler(market, clock, accounts, log, Settings(latest_version)) {}

Bytes GatewayPost(const std::string& request_line, const Bytes& body, bool with_length) {
  std::string header = request_line + "\r\nHost:127.0.0.1:2860\r\n"
                       "Accept: www/source; text/html; image/gif; image/png; image/jpeg; */*\r\n"
                       "Content-type: application/octet-stream\r\n";
  if (with_length) header += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  header += "\r\n";
  Bytes bytes(header.begin(), header.end());
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

Bytes AnswerFixture::RawAnswer(const std::vector<Bytes>& packets) {
  const Bytes request = CPacketCodec::Join(packets);
  const FrameResult frame = FrameRequest(request);
  if (frame.status != FrameStatus::kComplete) return {};
  return handler.Answer(frame.packets);
}

std::vector<Block> AnswerFixture::Ask(const std::vector<Bytes>& packets) { return DecodeAnswer(RawAnswer(packets)); }

Position AnswerFixture::PositionOf(const std::string& code) const {
  return market.PositionAt(market.Find(code), clock.Now());
}

}  // namespace tarvello::server::testing
