// One quote exchange (request 2203, a one-block answer) over loopback through CommunicateThread,
// against the same bytes through a bare blocking send and receive on a plain socket, the floor.
// The transport runs once with its communication log written and once with the log off. Both
// talk to the same small server thread. Times are wall times: the exchange is mostly waiting.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "protocol/comm_log.h"
#include "protocol/communicate.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "ratio_reporter.h"

namespace tarvello {
namespace {

const Bytes& Request() {
  static const Bytes request = CPacketCodec().BuildQuote("SH600001");
  return request;
}

const Bytes& Answer() {
  static const Bytes answer = [] {
    ContainerWriter writer;
    writer.AddPlain(kQuote, Bytes(96, 7));
    return writer.Finish();
  }();
  return answer;
}

bool ReadFully(int fd, std::uint8_t* into, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::recv(fd, into, size, 0);
    if (n <= 0) return false;
    into += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

void NoDelay(int fd) {
  const int on = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Answers every request of the known size with the answer, on any number of connections.
class QuoteServer {
 public:
  QuoteServer() {
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listen_fd_, 8);
    socklen_t size = sizeof address;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { Accept(); });
  }
  int port() const { return port_; }

 private:
  void Accept() {
    for (;;) {
      const int fd = ::accept(listen_fd_, nullptr, nullptr);
      if (fd < 0) return;
      NoDelay(fd);
      std::thread([fd] {
        std::vector<std::uint8_t> request(Request().size());
        while (ReadFully(fd, request.data(), request.size())) {
          ::send(fd, Answer().data(), Answer().size(), MSG_NOSIGNAL);
        }
        ::close(fd);
      }).detach();
    }
  }

  int listen_fd_;
  int port_;
  std::thread acceptor_;
};

QuoteServer& Server() {
  static QuoteServer* server = new QuoteServer;  // lives for the whole run
  return *server;
}

void RunTransport(benchmark::State& state, const std::filesystem::path& log_folder) {
  CommLog log(log_folder);
  CCommunicate transport(log, WapGateway{});
  transport.SetServer("127.0.0.1", Server().port());
  transport.Connect();
  Bytes response(10240);
  for (auto _ : state) {
    const int received = transport.CommunicateThread(Request(), response);
    if (received != static_cast<int>(Answer().size())) state.SkipWithError("exchange failed");
  }
}

void BM_CommunicateThread(benchmark::State& state) {
  const auto folder = std::filesystem::temp_directory_path() / "tarvello-bench-log";
  std::filesystem::create_directories(folder);
  std::filesystem::remove(folder / CommLog::kFileName);
  RunTransport(state, folder);
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_CommunicateThread)->UseRealTime();

void BM_CommunicateThreadLogOff(benchmark::State& state) {
  RunTransport(state, "/nonexistent-folder-for-the-log");
}
BENCHMARK(BM_CommunicateThreadLogOff)->UseRealTime();

void BM_BareSendReceive(benchmark::State& state) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  NoDelay(fd);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(Server().port()));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  Bytes response(10240);
  for (auto _ : state) {
    ::send(fd, Request().data(), Request().size(), MSG_NOSIGNAL);
    if (!ReadFully(fd, response.data(), Answer().size())) state.SkipWithError("exchange failed");
  }
  ::close(fd);
}
BENCHMARK(BM_BareSendReceive)->UseRealTime();

}  // namespace
}  // namespace tarvello

// A round trip over loopback waits on the scheduler, which on a shared machine makes single runs
// of a few microseconds scatter widely: by default each benchmark runs in nine repetitions,
// interleaved at random with the others, and the medians are compared. Flags given on the
// command line come later and win.
int main(int argc, char** argv) {
  std::vector<char*> args(argv, argv + argc);
  char repetitions[] = "--benchmark_repetitions=9";
  char interleaving[] = "--benchmark_enable_random_interleaving=true";
  char min_time[] = "--benchmark_min_time=0.2s";
  args.insert(args.begin() + 1, {repetitions, interleaving, min_time});
  int count = static_cast<int>(args.size());
  // The log, written once per step of the exchange with each line on disk before the step goes
  // on, may double the bare exchange; with the log off the transport's own work stays small.
  return tarvello::bench::RunAndPrintRatios(
      count, args.data(),
      {{"BM_CommunicateThread/real_time", "BM_BareSendReceive/real_time", 2.0},
       {"BM_CommunicateThreadLogOff/real_time", "BM_BareSendReceive/real_time", 1.15}},
      tarvello::bench::RatioReporter::Clock::kWall);
}
