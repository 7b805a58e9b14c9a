// tarvello-load: measures the quote server simulator with the stock detail screen's request
// over many persistent connections, then measures a bare echo server returning the same number
// of bytes to the same clients (the floor that loopback, the kernel and this client allow),
// and prints both. With --idle it instead holds idle connections and prints the server's
// resident memory.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <asio.hpp>

#include "protocol/packet_codec.h"
#include "tools/echo_floor.h"
#include "tools/load_client.h"

namespace {

using tarvello::Bytes;
using tarvello::load::LoadResult;
using tarvello::load::LoadSettings;

struct Options {
  LoadSettings load;
  std::string code = "SH600001";
  bool echo = true;
  int echo_threads = 2;
  int idle = 0;
  int server_pid = 0;
};

template <typename T>
bool Number(const char* text, T& out) {
  const std::string value(text);
  const auto [ptr, ec] = std::from_chars(value.data(), value.data() + value.size(), out);
  return ec == std::errc() && ptr == value.data() + value.size();
}

bool Parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "--no-echo") {
      o.echo = false;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* value = argv[++i];
    bool ok = true;
    if (name == "--host") o.load.host = value;
    else if (name == "--port") ok = Number(value, o.load.port);
    else if (name == "--connections") ok = Number(value, o.load.connections) && o.load.connections > 0;
    else if (name == "--seconds") ok = Number(value, o.load.seconds) && o.load.seconds > 0;
    else if (name == "--rate") ok = Number(value, o.load.rate) && o.load.rate >= 0;
    else if (name == "--threads") ok = Number(value, o.load.threads) && o.load.threads > 0;
    else if (name == "--echo-threads") ok = Number(value, o.echo_threads) && o.echo_threads > 0;
    else if (name == "--code") o.code = value;
    else if (name == "--idle") ok = Number(value, o.idle) && o.idle > 0;
    else if (name == "--server-pid") ok = Number(value, o.server_pid);
    else return false;
    if (!ok) return false;
  }
  return true;
}

// The container the stock detail screen sends for a share.
Bytes DetailRequest(const std::string& code) {
  tarvello::CPacketCodec c;
  const std::vector<Bytes> packets = {c.BuildMinuteData(code, 0), c.BuildIndexBreadth(code), c.BuildOrderBook(code),
                                      c.BuildTicks(code, 0),      c.BuildQuote(code),        c.BuildSecurityInfo(code),
                                      c.BuildTenLevelBook(code),  c.BuildTradingHours(code), c.BuildQuoteExtra(code)};
  return tarvello::CPacketCodec::Join(packets);
}

void Print(const char* label, const LoadSettings& settings, const LoadResult& r) {
  const double rate = r.seconds > 0 ? static_cast<double>(r.exchanges) / r.seconds : 0;
  const double bytes = r.seconds > 0 ? static_cast<double>(r.bytes) / r.seconds : 0;
  std::printf("%-9s connections %d  exchanges/s %.0f  bytes/s %.1f MB  latency p50 %.2f ms  p99 %.2f ms  p99.9 %.2f ms"
              "  failed %d\n",
              label, settings.connections, rate, bytes / 1e6, r.Percentile(50) / 1000, r.Percentile(99) / 1000,
              r.Percentile(99.9) / 1000, r.failed);
}

long ResidentKilobytes(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

int HoldIdle(const Options& o) {
  asio::io_context io;
  std::vector<asio::ip::tcp::socket> sockets;
  const asio::ip::tcp::endpoint endpoint(asio::ip::make_address(o.load.host), o.load.port);
  const long before = o.server_pid > 0 ? ResidentKilobytes(o.server_pid) : -1;
  int failed = 0;
  for (int i = 0; i < o.idle; ++i) {
    asio::ip::tcp::socket socket(io);
    asio::error_code error;
    socket.connect(endpoint, error);
    if (error) {
      ++failed;
      continue;
    }
    sockets.push_back(std::move(socket));
  }
  std::this_thread::sleep_for(std::chrono::seconds(2));
  std::printf("idle      connections %zu (failed %d)  server resident %ld kB before, %ld kB holding them\n", sockets.size(),
              failed, before, o.server_pid > 0 ? ResidentKilobytes(o.server_pid) : -1L);
  return failed == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!Parse(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: tarvello-load [--host H] [--port N] [--connections N] [--seconds S] [--rate R per connection]\n"
                 "                     [--threads N] [--code CODE] [--no-echo] [--echo-threads N]\n"
                 "                     [--idle N --server-pid PID]\n");
    return 2;
  }
  if (o.idle > 0) return HoldIdle(o);
  o.load.request = DetailRequest(o.code);
  const LoadResult target = RunLoad(o.load);
  Print("simulator", o.load, target);
  if (!o.echo || target.exchanges == 0) return target.exchanges == 0 ? 1 : 0;
  tarvello::load::EchoFloor floor(static_cast<std::size_t>(target.bytes / target.exchanges), o.echo_threads);
  if (floor.port() == 0) {
    std::fprintf(stderr, "tarvello-load: the echo floor could not listen\n");
    return 1;
  }
  LoadSettings echo = o.load;
  echo.host = "127.0.0.1";
  echo.port = floor.port();
  const LoadResult base = RunLoad(echo);
  Print("echo", echo, base);
  if (base.exchanges > 0) {
    std::printf("ratio     simulator/echo exchanges %.2f\n",
                (static_cast<double>(target.exchanges) / target.seconds) / (static_cast<double>(base.exchanges) / base.seconds));
  }
  return 0;
}
