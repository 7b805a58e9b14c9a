#include "tools/load_client.h"

#include <algorithm>
#include <asio.hpp>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "protocol/answer_length.h"

namespace tarvello::load {

namespace {

using Clock = std::chrono::steady_clock;
using asio::ip::tcp;

// Totals of all clients; clients add their own counts once, at the end.
struct Totals {
  std::mutex mutex;
  LoadResult result;  // guarded by mutex
};

class Client : public std::enable_shared_from_this<Client> {
 public:
  // `phase` (0 to 1) spreads the first sends of a rated run over one period, so that the
  // connections do not all fire at the same moment.
  Client(asio::io_context& io, const LoadSettings& settings, Clock::time_point deadline, Totals& totals, double phase)
      : socket_(asio::make_strand(io)), timer_(socket_.get_executor()), settings_(settings), deadline_(deadline),
        totals_(totals), phase_(phase) {}
  ~Client() {
    const std::lock_guard<std::mutex> lock(totals_.mutex);
    totals_.result.exchanges += exchanges_;
    totals_.result.bytes += bytes_;
    totals_.result.failed += failed_ ? 1 : 0;
    totals_.result.latencies_us.insert(totals_.result.latencies_us.end(), latencies_.begin(), latencies_.end());
  }

  void Start(const tcp::endpoint& endpoint) {
    socket_.async_connect(endpoint, [self = shared_from_this()](const asio::error_code& error) {
      if (error) {
        self->failed_ = true;
        return;
      }
      self->socket_.set_option(tcp::no_delay(true));
      self->next_send_ = Clock::now();
      if (self->settings_.rate <= 0) {
        self->Send();
        return;
      }
      self->next_send_ += std::chrono::duration_cast<Clock::duration>(self->Period() * self->phase_);
      self->timer_.expires_at(self->next_send_);
      self->timer_.async_wait([self](const asio::error_code& wait_error) {
        if (!wait_error) self->Send();
      });
    });
  }

 private:
  Clock::duration Period() const {
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(1.0 / settings_.rate));
  }

  void Send() {
    if (Clock::now() >= deadline_) return;
    sent_at_ = Clock::now();
    asio::async_write(socket_, asio::buffer(settings_.request), [self = shared_from_this()](const asio::error_code& error, std::size_t) {
      if (error) {
        self->failed_ = true;
        return;
      }
      self->received_.clear();
      self->Receive();
    });
  }

  void Receive() {
    socket_.async_read_some(asio::buffer(chunk_), [self = shared_from_this()](const asio::error_code& error, std::size_t n) {
      if (error) {
        self->failed_ = true;
        return;
      }
      self->received_.insert(self->received_.end(), self->chunk_.begin(), self->chunk_.begin() + static_cast<std::ptrdiff_t>(n));
      const long length = AnswerLength(self->received_);
      if (length < 0) {
        self->failed_ = true;
        return;
      }
      if (length == 0) {
        self->Receive();
        return;
      }
      self->Done(static_cast<std::size_t>(length));
    });
  }

  void Done(std::size_t length) {
    const auto now = Clock::now();
    latencies_.push_back(std::chrono::duration<double, std::micro>(now - sent_at_).count());
    ++exchanges_;
    bytes_ += length;
    if (settings_.rate <= 0) {
      Send();
      return;
    }
    next_send_ += Period();
    timer_.expires_at(std::max(next_send_, now));
    timer_.async_wait([self = shared_from_this()](const asio::error_code& error) {
      if (!error) self->Send();
    });
  }

  tcp::socket socket_;
  asio::steady_timer timer_;
  const LoadSettings& settings_;
  const Clock::time_point deadline_;
  Totals& totals_;
  const double phase_;
  Clock::time_point sent_at_, next_send_;
  Bytes received_;
  std::array<std::uint8_t, 16384> chunk_{};
  std::vector<double> latencies_;
  std::uint64_t exchanges_ = 0;
  std::uint64_t bytes_ = 0;
  bool failed_ = false;
};

}  // namespace

double LoadResult::Percentile(double p) const {
  if (latencies_us.empty()) return 0;
  std::vector<double> sorted = latencies_us;
  const auto at = static_cast<std::size_t>(p / 100.0 * static_cast<double>(sorted.size() - 1));
  std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(at), sorted.end());
  return sorted[at];
}

LoadResult RunLoad(const LoadSettings& settings) {
  Totals totals;
  auto io = std::make_unique<asio::io_context>();
  const tcp::endpoint endpoint(asio::ip::make_address(settings.host), settings.port);
  const auto start = Clock::now();
  const auto deadline = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(settings.seconds));
  for (int i = 0; i < settings.connections; ++i) {
    const double phase = static_cast<double>(i) / settings.connections;
    std::make_shared<Client>(*io, settings, deadline, totals, phase)->Start(endpoint);
  }
  // Clients end at the deadline after their answer is in; a stalled one is cut off a second later.
  asio::steady_timer stop(*io, deadline + std::chrono::seconds(1));
  stop.async_wait([&io](const asio::error_code&) { io->stop(); });
  std::vector<std::thread> threads;
  for (int i = 1; i < settings.threads; ++i) threads.emplace_back([&io] { io->run(); });
  io->run();
  for (auto& thread : threads) thread.join();
  const std::chrono::duration<double> elapsed = std::min(Clock::now(), deadline) - start;
  // Destroying the context releases the clients still waiting, which add their counts.
  io.reset();
  const std::lock_guard<std::mutex> lock(totals.mutex);
  totals.result.seconds = elapsed.count();
  return std::move(totals.result);
}

}  // namespace tarvello::load
