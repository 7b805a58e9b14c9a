// One quote exchange (request 2203, a one-block answer) over loopback through CommunicateThread,
// against the same bytes through a bare blocking send and receive on a plain socket, the floor.
// The transport runs once with its communication log written and once with the log off. All
// three talk to the same small server. Times are wall times: the exchange is mostly waiting.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
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

// Answers every request of the known size with the answer, on the three connections of the
// run, all served by one thread: each link then waits on the same thread, wherever the system
// runs it, rather than on a thread of its own that may fare better or worse.
class QuoteServer {
 public:
  static constexpr int kConnections = 3;

  QuoteServer() {
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(listen_fd_, kConnections);
    socklen_t size = sizeof address;
    ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }
  int port() const { return port_; }

 private:
  void Serve() {
    std::vector<pollfd> links;
    while (links.size() < kConnections) {
      const int fd = ::accept(listen_fd_, nullptr, nullptr);
      if (fd < 0) return;
      NoDelay(fd);
      links.push_back(pollfd{fd, POLLIN, 0});
    }
    std::vector<std::uint8_t> request(Request().size());
    while (::poll(links.data(), links.size(), -1) > 0) {
      for (pollfd& link : links) {
        if (link.revents == 0) continue;
        if (!ReadFully(link.fd, request.data(), request.size())) return;
        ::send(link.fd, Answer().data(), Answer().size(), MSG_NOSIGNAL);
      }
    }
  }

  int listen_fd_;
  int port_;
  std::thread thread_;
};

QuoteServer& Server() {
  static QuoteServer* server = new QuoteServer;  // lives for the whole run
  return *server;
}

// A connected plain socket to the server, exchanging as the floor does.
class BareLink {
 public:
  BareLink() : fd_(::socket(AF_INET, SOCK_STREAM, 0)) {
    NoDelay(fd_);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(Server().port()));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  }
  ~BareLink() { ::close(fd_); }
  bool Exchange() {
    ::send(fd_, Request().data(), Request().size(), MSG_NOSIGNAL);
    return ReadFully(fd_, response_.data(), Answer().size());
  }

 private:
  int fd_;
  Bytes response_ = Bytes(10240);
};

// The transport with its log in a folder, or with the log off when the folder cannot hold one.
class TransportLink {
 public:
  explicit TransportLink(const std::filesystem::path& log_folder) : log_(log_folder), transport_(log_, WapGateway{}) {
    transport_.SetServer("127.0.0.1", Server().port());
    transport_.Connect();
  }
  bool Exchange() {
    return transport_.CommunicateThread(Request(), response_) == static_cast<int>(Answer().size());
  }

 private:
  CommLog log_;
  CCommunicate transport_;
  Bytes response_ = Bytes(10240);
};

double Median(std::vector<double> samples) {
  std::nth_element(samples.begin(), samples.begin() + static_cast<long>(samples.size() / 2), samples.end());
  return samples[samples.size() / 2];
}

}  // namespace

// A round trip over loopback waits on the scheduler, which on a shared machine makes runs of a few
// microseconds scatter widely, and a load that comes and goes between two benchmarks run one after
// the other would be read as a difference between them. So the three exchanges are measured in
// turns, one of each per round in a changing order, and the median of each is compared: all three
// meet the same machine.
int Main(int rounds) {
  const auto folder = std::filesystem::temp_directory_path() / "tarvello-bench-log";
  std::filesystem::create_directories(folder);
  std::filesystem::remove(folder / CommLog::kFileName);
  BareLink bare;
  TransportLink logged(folder);
  TransportLink silent("/nonexistent-folder-for-the-log");
  using Clock = std::chrono::steady_clock;
  std::vector<double> times[3];
  bool ok = true;
  for (int round = 0; round < rounds && ok; ++round) {
    for (int turn = 0; turn < 3; ++turn) {
      const int which = (round + turn) % 3;
      const Clock::time_point start = Clock::now();
      ok = which == 0 ? bare.Exchange() : which == 1 ? logged.Exchange() : silent.Exchange();
      times[which].push_back(std::chrono::duration<double, std::nano>(Clock::now() - start).count());
    }
  }
  std::filesystem::remove_all(folder);
  if (!ok) {
    std::fprintf(stderr, "an exchange failed\n");
    return 1;
  }
  const double floor = Median(times[0]);
  const char* names[] = {"bare send and receive", "CommunicateThread, log on", "CommunicateThread, log off"};
  for (int which = 0; which < 3; ++which) {
    std::printf("%-28s median %s over %d exchanges\n", names[which], bench::Duration(Median(times[which])).c_str(), rounds);
  }
  // The log, each line in the file's cache as it is written, may double the bare exchange; with
  // the log off the transport's own work stays small.
  bench::EmitRatio("BM_CommunicateThread/real_time", Median(times[1]), "BM_BareSendReceive/real_time", floor, 2.0);
  bench::EmitRatio("BM_CommunicateThreadLogOff/real_time", Median(times[2]), "BM_BareSendReceive/real_time", floor, 1.15);
  return 0;
}

}  // namespace tarvello

int main(int argc, char** argv) {
  // Rounds may be given as the first argument; 20000 take about two seconds here.
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20000;
  return tarvello::Main(rounds);
}
