// The simulator from a user's first tap: a fresh tarvello-quoted process is started, the time to
// its "quote port" line is taken, and then the first request of every kind the terminal sends is
// sent, one after the other from the moment of that line, each on a connection of its own; each
// exchange's own time is what a user's first tap waits for, and when it ended is printed as
// milliseconds after the line. Each request is then asked once more on the warm simulator: that
// second answer is the floor the first is measured against (ratio first / warm). A second fresh
// process runs its clock fast, so that simulated minutes turn over while a few clients page the
// lists, and the answer times through those minute boundaries are printed against the bare
// probe exchange under the same load.
//
//   sim_first_answers_bench [--server PATH]   (default: bin/tarvello-quoted of this build)
//
// Targets: start to listening within 3 s; every first exchange within 100 ms; answers
// through a minute boundary with a p99 under 20 ms.
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "futures/futures_request.h"
#include "info/article_download.h"
#include "info/info_answers.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "ratio_reporter.h"
#include "sim_exchange.h"
#include "sim_process.h"
#include "text/text_codec.h"

namespace {

using namespace tarvello;
using namespace tarvello::bench;

constexpr double kListeningTargetMs = 3000;
constexpr double kFirstAnswerTargetMs = 100;
constexpr double kBoundaryP99TargetMs = 20;
constexpr const char* kBoundaryFigure = "list answer p99 through minute boundaries";
const std::vector<std::string> kMoment = {"--at", "2026-12-04 10:30", "--seed", "1"};
constexpr const char* kShare = "SH600001";

struct Kind {
  const char* name;
  Bytes request;
};

Bytes Category(int category, int field, int direction, int extra = 0) {
  CPacketCodec codec;
  codec.SetListParamA(static_cast<std::uint8_t>(extra));
  codec.SetListParamB(static_cast<std::uint8_t>(extra));
  return codec.BuildCategoryList(static_cast<std::uint8_t>(category),
                                 static_cast<std::uint8_t>(field),
                                 static_cast<std::uint8_t>(direction), 0, 20);
}

// The self-selected list's request: its codes in the terminal's order, unsorted.
Bytes CodeList(const std::vector<std::string>& codes) {
  WireWriter packet = WireWriter::Packet(kCategoryList, kAttrPlain);
  packet.U8(2).U8(0).U8(0).U16(0).U16(static_cast<std::uint16_t>(codes.size()));
  packet.U16(static_cast<std::uint16_t>(codes.size()));
  for (const std::string& code : codes) packet.Str(code);
  return packet.FinishPacket();
}

// Every request the terminal sends, in the order a user's first session meets them.
std::vector<Kind> Kinds() {
  const CPacketCodec c;
  const std::vector<std::string> own = {"SH600001", "SZ000001", "SH000001"};
  const std::vector<Bytes> detail = {
      c.BuildMinuteData(kShare, 0), c.BuildIndexBreadth(kShare), c.BuildOrderBook(kShare),
      c.BuildTicks(kShare, 0),      c.BuildQuote(kShare),        c.BuildSecurityInfo(kShare),
      c.BuildTenLevelBook(kShare),  c.BuildTradingHours(kShare), c.BuildQuoteExtra(kShare)};
  const std::vector<Bytes> ticker = {c.BuildQuote("SH000001"), c.BuildQuote("SZ399001")};
  const std::vector<Bytes> sector = {c.BuildQuote("BI000001"),
                                     c.BuildSectorMembers(1, 1, 0, 0, 19)};
  const std::vector<Bytes> kline = {c.BuildKLine(kShare, 7, 0, 122, 0), c.BuildQuote(kShare),
                                    c.BuildSecurityInfo(kShare)};
  return {
      {"probe 0", c.BuildServerProbe()},
      {"login 2906", c.BuildLogin(u"demo", u"demo")},
      {"version 1000", c.BuildVersionCheck(u"V3.3", u"")},
      {"ticker 2203 x2", CPacketCodec::Join(ticker)},
      {"A shares 2113", Category(0, 1, 0)},
      {"indices 2113/101", Category(101, 0, 0)},
      {"sectors 2113/105", Category(105, 1, 0)},
      {"sector members 2114", CPacketCodec::Join(sector)},
      {"sector flow 2113/110", Category(110, 14, 0, 1)},
      {"futures 2113/103", Category(103, 0, 1)},
      {"own list 2113/2", CodeList(own)},
      {"big orders 2105", c.BuildBigOrderList(1, 0, 2, 0, 0, 20)},
      {"funds 2106", c.BuildFundList(1, 0, 2, 0, 0, 20)},
      {"detail 9 packets", CPacketCodec::Join(detail)},
      {"day K-line 2202", CPacketCodec::Join(kline)},
      {"5-minute K-line 2202", c.BuildKLine(kShare, 2, 0, 122, 0)},
      {"week K-line 2202", c.BuildKLine(kShare, 8, 0, 122, 0)},
      {"index K-line 2202", c.BuildKLine("SH000001", 7, 0, 122, 0)},
      {"fund flow 2109", BuildSecurityFundFlowRequest(kShare)},
      {"trade analysis 2800", c.BuildTradeAnalysis(kShare, 1)},
      {"order details 2802", c.BuildOrderDetails(kShare)},
      {"futures quote 3203", BuildFuturesQuoteRequest("IF000001")},
      {"futures ticks 3205", BuildFuturesTicksRequest("IF000001", 20)},
      {"F10 2600", c.BuildF10Item(kShare, 4, 0)},
      {"news of a share 2901", c.BuildCodeListInfo(1, 20, own, 0, 0)},
      {"news 2701", c.BuildInfoList(1)},
      {"search 2000", c.BuildSecuritySearch(u"600")},
  };
}

struct Figure {
  std::string name;
  double after_line_ms = 0;
  double first_ms = 0;
  double warm_ms = 0;
  bool ok = false;
};

void PrintFigure(const Figure& f) {
  std::printf("  %-24s %9.1f %9.2f %9.2f %9.1f%s\n", f.name.c_str(), f.after_line_ms, f.first_ms,
              f.warm_ms, f.warm_ms > 0 ? f.first_ms / f.warm_ms : 0.0,
              !f.ok                               ? "  NO ANSWER"
              : f.first_ms > kFirstAnswerTargetMs ? "  ABOVE TARGET"
                                                  : "");
  const std::string name = "first answer: " + f.name;
  if (f.ok) {
    bench::EmitDuration(name, f.first_ms * 1e6, kFirstAnswerTargetMs * 1e6, "the warm exchange", f.warm_ms * 1e6);
  } else {
    bench::EmitFigure({name, "no answer", "", "", 0, "<= " + bench::Duration(kFirstAnswerTargetMs * 1e6), false});
  }
}

// The identifier of the share's newest news item, for the article requests.
std::u16string NewestItem(std::uint16_t port) {
  asio::io_context io;
  asio::ip::tcp::socket socket(io);
  asio::error_code error;
  socket.connect(Loopback(port), error);
  const std::vector<std::string> codes = {kShare};
  const Bytes answer =
      error ? Bytes{} : ExchangeOn(socket, CPacketCodec().BuildCodeListInfo(1, 20, codes, 0, 0));
  const std::vector<PageEntry> items = ReadInfoTitles(answer);
  return items.empty() ? std::u16string() : items.front().identifier;
}

std::vector<Figure> FirstAnswers(const SimProcess& sim) {
  std::vector<Figure> figures;
  const auto time_one = [&](const std::string& name, auto exchange) {
    Figure f{name};
    const Timed first = exchange();
    f.after_line_ms = MillisecondsSince(sim.listening());
    f.first_ms = first.ms;
    f.ok = first.ok;
    f.warm_ms = exchange().ms;
    figures.push_back(f);
  };
  for (const Kind& kind : Kinds())
    time_one(kind.name, [&] { return TimedExchange(sim.quote_port(), kind.request); });
  const std::u16string item = NewestItem(sim.quote_port());
  time_one("article 2710",
           [&] { return TimedExchange(sim.quote_port(), CPacketCodec().BuildArticle(1, item)); });
  const std::string path = ArticlePath(1, text::FromAscii(kShare), item);
  time_one("article file (info port)", [&] { return TimedGet(sim.info_port(), path); });
  for (const char* page :
       {"/wap/index.wml", "/wap/summary.wml", "/wap/movers.wml", "/wap/pictures/rise.bmp"}) {
    time_one(std::string("page ") + (page + 5), [&] { return TimedGet(sim.info_port(), page); });
  }
  return figures;
}

double Percentile(std::vector<double> values, double p) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[std::min(values.size() - 1,
                         static_cast<std::size_t>(p / 100.0 * static_cast<double>(values.size())))];
}

// Clients paging the A-share list, the sectors and the big-order list in a closed loop, and one
// sending probes, on a simulator whose minutes last two real seconds.
void ThroughMinuteBoundaries(const std::string& program) {
  constexpr int kListClients = 6;
  constexpr auto kRun = std::chrono::seconds(7);
  std::vector<std::string> args = kMoment;
  args.insert(args.end(), {"--speed", "30"});
  SimProcess sim;
  if (!sim.Start(program, args)) {
    std::printf("through minute boundaries: the simulator did not start\n");
    bench::EmitFigure({kBoundaryFigure, "no simulator", "", "", 0, "<= " + bench::Duration(kBoundaryP99TargetMs * 1e6),
                       false});
    return;
  }
  const std::vector<Bytes> requests = {Category(0, 1, 0), Category(105, 6, 0),
                                       CPacketCodec().BuildBigOrderList(1, 0, 2, 0, 20, 20)};
  std::vector<std::vector<double>> lists(kListClients);
  std::vector<double> probes;
  std::atomic<bool> stop{false};
  const auto loop = [&](const Bytes& request, std::vector<double>& into) {
    asio::io_context io;
    asio::ip::tcp::socket socket(io);
    asio::error_code error;
    socket.connect(Loopback(sim.quote_port()), error);
    while (!error && !stop) {
      const auto start = std::chrono::steady_clock::now();
      if (ExchangeOn(socket, request).empty()) return;
      into.push_back(MillisecondsSince(start));
    }
  };
  std::vector<std::thread> clients;
  for (int i = 0; i < kListClients; ++i) {
    clients.emplace_back([&, i] {
      loop(requests[static_cast<std::size_t>(i) % requests.size()],
           lists[static_cast<std::size_t>(i)]);
    });
  }
  clients.emplace_back([&] { loop(CPacketCodec().BuildServerProbe(), probes); });
  std::this_thread::sleep_for(kRun);
  stop = true;
  for (std::thread& client : clients) client.join();
  std::vector<double> all;
  for (const auto& l : lists) all.insert(all.end(), l.begin(), l.end());
  const double p99 = Percentile(all, 99);
  std::printf(
      "through minute boundaries (speed 30, %d list clients, 7 s): list answers %zu, p50 %.2f ms, "
      "p99 %.2f ms, "
      "p99.9 %.2f ms, max %.2f ms (target p99 <= %.0f ms)%s\n",
      kListClients, all.size(), Percentile(all, 50), p99, Percentile(all, 99.9),
      Percentile(all, 100), kBoundaryP99TargetMs,
      p99 <= kBoundaryP99TargetMs ? "" : "  ABOVE TARGET");
  std::printf(
      "  floor: probes under the same load %zu, p50 %.2f ms, p99 %.2f ms; ratio of the p99s %.1f\n",
      probes.size(), Percentile(probes, 50), Percentile(probes, 99),
      Percentile(probes, 99) > 0 ? p99 / Percentile(probes, 99) : 0.0);
  bench::EmitDuration(kBoundaryFigure, p99 * 1e6, kBoundaryP99TargetMs * 1e6, "probe p99 under the same load",
                      Percentile(probes, 99) * 1e6);
}

}  // namespace

int main(int argc, char** argv) {
  std::string program = SimProcess::BesideBenchmark();
  if (argc == 3 && std::string(argv[1]) == "--server") program = argv[2];
  SimProcess sim;
  if (!sim.Start(program, kMoment)) {
    std::fprintf(stderr, "sim_first_answers_bench: cannot start %s\n", program.c_str());
    return 1;
  }
  const std::vector<Figure> figures = FirstAnswers(sim);
  std::printf(
      "start to the port line (listening, every answer ready): %.0f ms (target <= %.0f ms)%s\n",
      sim.start_to_listening_ms(), kListeningTargetMs,
      sim.start_to_listening_ms() <= kListeningTargetMs ? "" : "  ABOVE TARGET");
  tarvello::bench::EmitDuration("start to the port line", sim.start_to_listening_ms() * 1e6, kListeningTargetMs * 1e6);
  std::printf("first answers (target: each first exchange within %.0f ms)\n", kFirstAnswerTargetMs);
  std::printf("  %-24s %9s %9s %9s %9s\n", "request", "after ms", "first ms", "warm ms", "ratio");
  double slowest = 0;
  for (const Figure& f : figures) {
    PrintFigure(f);
    slowest = std::max(slowest, f.first_ms);
  }
  std::printf("slowest first exchange: %.1f ms; last first answer %.1f ms after the line\n",
              slowest, figures.empty() ? 0.0 : figures.back().after_line_ms);
  ThroughMinuteBoundaries(program);
  return 0;
}
