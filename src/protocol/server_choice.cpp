#include "protocol/server_choice.h"

#include <array>

#include "protocol/packet_codec.h"
#include "text/text_codec.h"

namespace tarvello {

namespace {

constexpr std::size_t kProbeAnswerCapacity = 100;
constexpr int kProbeAnswerSize = 8;
constexpr int kPauseMs = 200;

// Runs one timed probe against the server; the milliseconds it took, or -1 when the answer was
// not exactly the probe's 8 bytes.
std::int64_t TimeProbe(ProbeLink& link, ProbeClock& clock, const std::string& host, int port) {
  link.Connect(host, port);
  const Bytes probe = CPacketCodec().BuildServerProbe();
  std::array<std::uint8_t, kProbeAnswerCapacity> answer{};
  const std::int64_t start = clock.TickMs();
  const int received = link.Exchange(probe, answer);
  if (received != kProbeAnswerSize) return -1;
  const std::int64_t elapsed = clock.TickMs() - start;
  link.Close();
  clock.SleepMs(kPauseMs);
  return elapsed;
}

}  // namespace

ServerCell ServerSelection::Get() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return cell_;
}

void ServerSelection::Set(ServerCell cell) {
  const std::lock_guard<std::mutex> lock(mutex_);
  cell_ = cell;
}

std::u16string ServerListLabel(int row) {
  if (row >= 0 && row <= 3) return u"开发专线";
  if (row == 4) return u"测试机器";
  if (row == 5) return u"真如电信均衡负载";
  if (row <= 7) return u"真如电信";
  if (row == 8) return u"山东网通均衡负载";
  if (row <= 10) return u"山东网通";
  if (row == 11) return u"沈阳网通均衡负载";
  if (row <= 20) return u"沈阳网通";
  if (row == 21) return u"杭州电信均衡负载";
  if (row <= 24) return u"杭州电信";
  return {};
}

std::u16string ServerListText(const Deployment& deployment, int row) {
  if (row < 0 || row >= Deployment::kServerRows) return {};
  return text::FromAscii(deployment.server_rows[static_cast<std::size_t>(row)]) + u":" + ServerListLabel(row);
}

ServerCell ManualChoice(int row, ServerCell current) {
  if (row >= 0 && row <= 7) return {1, 0};
  if (row >= 8 && row <= 9) return {0, 0};
  if (row >= 10 && row <= 19) return {0, 1};
  if (row >= 20 && row <= 23) return {1, 1};
  return current;
}

bool RunStartupProbe(ProbeLink& link, ProbeClock& clock, const Deployment& deployment, ServerSelection& selection) {
  const int a = clock.UtcSecond() >= 30 ? 1 : 0;
  const std::int64_t first = TimeProbe(link, clock, deployment.quote_servers[1][static_cast<std::size_t>(a)], deployment.quote_port);
  if (first < 0) return false;
  const int b = clock.UtcSecond() >= 30 ? 1 : 0;
  const std::int64_t second = TimeProbe(link, clock, deployment.quote_servers[0][static_cast<std::size_t>(b)], deployment.quote_port);
  if (second < 0) return false;
  selection.Set(first <= second ? ServerCell{1, a} : ServerCell{0, b});
  return true;
}

}  // namespace tarvello
