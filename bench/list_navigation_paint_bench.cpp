// The quote list as a user meets it, against the simulator running in this process: a tap on a
// row until the detail screen of that row is painted with its figures, and the Down key on a
// page's last row until the next page is painted. Each floor is the exchange of the same kind of
// request (the detail of a share, a page of the list) through a transport of its own, so the
// ratio says how much our screens, threads and navigation add to the network and the server.
// Times are wall times: both are mostly waiting.
// The simulator comes before Qt: Qt defines "slots" as a word of its own, and the market names a
// field so.
#include "server/network/quote_server.h"

#include <QApplication>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "detail/detail_request.h"
#include "lists/list_commands.h"
#include "lists/list_request.h"
#include "protocol/comm_log.h"
#include "protocol/communicate.h"
#include "protocol/transport_links.h"
#include "ratio_reporter.h"
#include "storage/utf16le.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using Clock = std::chrono::steady_clock;

template <typename Done>
bool ProcessEventsUntil(Done done, std::chrono::seconds limit = std::chrono::seconds(20)) {
  const Clock::time_point end = Clock::now() + limit;
  while (!done()) {
    if (Clock::now() > end) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  return true;
}

// The simulator on free loopback ports, serving on two threads of its own.
class InProcessSimulator {
 public:
  InProcessSimulator()
      : clock_(server::DefaultStart(), 1), market_(server::MarketConfig{}),
        handler_(market_, clock_, accounts_, log_), server_(handler_, server::Endpoints{"127.0.0.1", 0, 0}) {
    std::string error;
    if (!server_.Open(error)) std::abort();
    thread_ = std::thread([this] { server_.Run(2, false); });
  }
  ~InProcessSimulator() {
    server_.Stop();
    thread_.join();
  }
  int quote_port() const { return server_.quote_port(); }
  int gateway_port() const { return server_.gateway_port(); }

 private:
  server::SimClock clock_;
  server::Market market_;
  server::AccountBook accounts_;
  server::EventLog log_;
  server::RequestHandler handler_;
  server::QuoteServer server_;
  std::thread thread_;
};

// The terminal on a fresh program folder, showing the ranked A-share list.
class Session {
 public:
  Session() : folder_(std::filesystem::temp_directory_path() / "tarvello-list-navigation-bench") {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    const std::string ini = "[SERVERS]\r\nPORT=" + std::to_string(simulator_.quote_port()) + "\r\n[GATEWAY]\r\nPORT=" +
                            std::to_string(simulator_.gateway_port()) + "\r\n";
    const std::string bytes = EncodeUtf16Le(text::FromUtf8(ini));
    std::FILE* file = std::fopen((folder_ / "Deployment.ini").c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    SetProgramFolder(folder_.string());
    terminal_ = std::make_unique<Terminal>(folder_, Size{480, 640}, [] {});
    terminal_->Start();
    if (!ProcessEventsUntil([&] { return terminal_->main_screen() && terminal_->main_screen()->menu_shown(); })) {
      std::abort();
    }
    terminal_->main_screen()->GoTo(kTargetQuoteList, -60);  // "沪深A股"
    if (!ProcessEventsUntil([&] { return ListSettled() && !list().view()->rows.quotes.empty(); })) std::abort();
  }
  ~Session() {
    terminal_.reset();
    std::filesystem::remove_all(folder_);
  }

  CStockListDlg& list() { return *terminal_->list_screen(); }
  Terminal& terminal() { return *terminal_; }
  bool Settled(Window* screen) {
    return terminal_->frame().current_screen() == screen && !terminal_->Busy();
  }
  bool ListSettled() { return Settled(&list()) && list().view()->loaded; }
  // A user reads the screen before the next step: the worker's pause after its last fetch is over.
  void ReadFor(std::chrono::milliseconds time) {
    const Clock::time_point read = Clock::now() + time;
    ProcessEventsUntil([&] { return Clock::now() > read; });
  }
  void SelectRow(int row) {
    while (list().selected_row() < row) list().SendKey(kKeyDown);
    while (list().selected_row() > row) list().SendKey(kKeyUp);
  }
  int quote_port() const { return simulator_.quote_port(); }

 private:
  InProcessSimulator simulator_;
  std::filesystem::path folder_;
  std::unique_ptr<Terminal> terminal_;
};

// Made by the first benchmark that needs it; it must go before the application does.
std::unique_ptr<Session> g_session;

Session& TheSession() {
  if (!g_session) g_session = std::make_unique<Session>();
  return *g_session;
}

// A transport of its own to the same server, writing its communication log as the terminal's
// does, in a folder of its own.
class FloorLink {
 public:
  explicit FloorLink(int port)
      : folder_(std::filesystem::temp_directory_path() / "tarvello-list-navigation-floor"),
        log_((std::filesystem::create_directories(folder_), folder_)),
        transport_(log_, WapGateway{}),
        answer_(kListAnswerCapacity) {
    transport_.SetServer("127.0.0.1", port);
    transport_.Connect();
  }
  ~FloorLink() { std::filesystem::remove_all(folder_); }
  int Exchange(const Bytes& request) { return TransportExchange(transport_)(request, answer_); }

 private:
  std::filesystem::path folder_;
  CommLog log_;
  CCommunicate transport_;
  std::vector<std::uint8_t> answer_;
};

// A step comes after the user has read the screen for a while, and by then the server's thread
// and the processor it ran on have gone idle: the first exchange after such a pause takes about
// twice as long here as one that follows another at once. Each floor pauses as the steps do, so
// that the ratio says what the screens add, not how quickly the machine wakes up.
template <typename Exchange>
void TimeAfterReading(benchmark::State& state, Session& session, Exchange exchange) {
  session.ReadFor(std::chrono::milliseconds(150));
  const Clock::time_point start = Clock::now();
  benchmark::DoNotOptimize(exchange());
  state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
}

// The server keeps an answer for the rest of the simulated minute, so every floor asks for what
// neither it nor the screens asked before: the detail of page 0's rows (the screens open rows of
// page 1) and pages from 40 on (the screens turn to pages 2 to 21).
void BM_DetailExchangeFloor(benchmark::State& state) {
  Session& session = TheSession();
  const std::vector<QuoteRow> rows = session.list().view()->rows.quotes;
  FloorLink link(session.quote_port());
  static std::size_t next = 0;  // across repetitions
  for (auto _ : state) {
    const Bytes request = BuildDetailRequest(rows[next++ % rows.size()].code.RequestText(), false);
    TimeAfterReading(state, session, [&] { return link.Exchange(request); });
  }
}

void BM_PageExchangeFloor(benchmark::State& state) {
  Session& session = TheSession();
  const ListQuery q = session.list().query();
  FloorLink link(session.quote_port());
  static int page = 40;  // across repetitions
  for (auto _ : state) {
    const ListWindow window{q.sortField, q.sortDirection, page++ * q.rowsPerPage, q.rowsPerPage};
    const Bytes request = BuildCategoryPage(q.category, window);
    TimeAfterReading(state, session, [&] { return link.Exchange(request); });
  }
}

void BM_RowTapToPaintedDetail(benchmark::State& state) {
  Session& session = TheSession();
  CStockListDlg& list = session.list();
  while (list.query().page == 0) list.SendKey(kKeyDown);
  ProcessEventsUntil([&] { return session.ListSettled() && list.view()->rows.quotes.size() > 12; });
  static int tap = 0;  // across repetitions
  for (auto _ : state) {
    // Every tap opens another row of page 1, so that each one waits for an answer of its own.
    session.ReadFor(std::chrono::milliseconds(150));
    const int row = 1 + tap++ % (list.query().rowsPerPage - 1);
    session.SelectRow(row);
    const SecurityCode code = list.view()->rows.quotes.at(static_cast<std::size_t>(row - 1)).code;
    const Clock::time_point start = Clock::now();
    list.RunCommand(kCmdOpenRow);
    const bool shown = ProcessEventsUntil([&] {
      CStockDetailDlg* detail = session.terminal().detail_screen();
      return detail && session.Settled(detail) && detail->view()->loaded && detail->view()->code == code &&
             detail->Painted();
    });
    if (!shown) {
      state.SkipWithError("the detail screen did not come");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    session.terminal().main_screen()->GoTo(kTargetQuoteList, kTargetStockDetail);
    ProcessEventsUntil([&] { return session.ListSettled(); });
  }
}

void BM_PageDownToPaintedPage(benchmark::State& state) {
  Session& session = TheSession();
  CStockListDlg& list = session.list();
  for (auto _ : state) {
    session.ReadFor(std::chrono::milliseconds(150));
    while (list.selected_row() < list.query().rowsPerPage) list.SendKey(kKeyDown);
    const int page = list.query().page;
    const SecurityCode first = list.view()->rows.quotes.front().code;
    const Clock::time_point start = Clock::now();
    list.SendKey(kKeyDown);
    const bool shown = ProcessEventsUntil([&] {
      return session.ListSettled() && list.query().page == page + 1 && !list.view()->rows.quotes.empty() &&
             list.view()->rows.quotes.front().code != first && list.Painted();
    });
    if (!shown) {
      state.SkipWithError("the next page did not come");
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
  }
}

// One step a repetition, and the median of the repetitions stands for each: on a shared machine a
// single step that waited for the scheduler would otherwise weigh on the mean.
BENCHMARK(BM_DetailExchangeFloor)->UseManualTime()->Iterations(1)->Repetitions(15)->ReportAggregatesOnly();
BENCHMARK(BM_PageExchangeFloor)->UseManualTime()->Iterations(1)->Repetitions(21)->ReportAggregatesOnly();
BENCHMARK(BM_RowTapToPaintedDetail)->UseManualTime()->Iterations(1)->Repetitions(15)->ReportAggregatesOnly();
BENCHMARK(BM_PageDownToPaintedPage)->UseManualTime()->Iterations(1)->Repetitions(21)->ReportAggregatesOnly();

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  // Both should stay under 150 ms against a local server, most of it the exchange.
  const int result = tarvello::bench::RunAndPrintRatios(
      argc, argv,
      {{"BM_RowTapToPaintedDetail/iterations:1/repeats:15/manual_time", "BM_DetailExchangeFloor/iterations:1/repeats:15/manual_time", 2},
       {"BM_PageDownToPaintedPage/iterations:1/repeats:21/manual_time", "BM_PageExchangeFloor/iterations:1/repeats:21/manual_time", 2}},
      tarvello::bench::RatioReporter::Clock::kWall);
  tarvello::g_session.reset();
  return result;
}
