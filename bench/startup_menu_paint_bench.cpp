// Starts the terminal against a quote server that accepts every connection and answers nothing, as
// a new user on a dead link meets it, and times the window's start to the menu on screen. The
// start-up's probe, login, version check and registration wait out their time-outs behind the
// menu, which should show within 5 s. The floor, for scale, is a start against nothing at all: a
// port where no server listens refuses at once.
#include <QApplication>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdlib.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "paint_floor.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr double kMenuTargetNs = 5e9;

// A listening socket on a free loopback port; with hold, a thread accepts every connection and
// keeps it open without a byte; without, the port is closed again, so connections are refused.
class SilentServer {
 public:
  explicit SilentServer(bool hold) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
    if (!hold) {
      ::close(listener_);
      listener_ = -1;
      return;
    }
    ::listen(listener_, 16);
    thread_ = std::thread([this] {
      for (;;) {
        const int connection = ::accept(listener_, nullptr, nullptr);
        if (connection < 0) return;
        held_.push_back(connection);
      }
    });
  }
  ~SilentServer() {
    if (listener_ >= 0) {
      ::shutdown(listener_, SHUT_RDWR);
      ::close(listener_);
    }
    if (thread_.joinable()) thread_.join();
    for (const int connection : held_) ::close(connection);
  }
  int port() const { return port_; }

 private:
  int listener_ = -1;
  int port_ = 0;
  std::thread thread_;
  std::vector<int> held_;  // the accepting thread's until it is joined
};

// Wall time from the start to the menu on screen, with the deployment pointing every port at one.
void MenuAfterStart(benchmark::State& state, bool hold) {
  for (auto _ : state) {
    SilentServer server(hold);
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvello-bench-XXXXXX").string();
    const std::filesystem::path home = ::mkdtemp(pattern.data());
    const std::string port = std::to_string(server.port());
    ReplaceFile(home / "Deployment.ini",
                EncodeUtf16Le(text::FromUtf8("[SERVERS]\r\nPORT=" + port + "\r\n[GATEWAY]\r\nPORT=" + port +
                                             "\r\n[INFOSERVERS]\r\nINFOPORT=" + port + "\r\n")));
    SetProgramFolder(home.string());
    {
      Terminal terminal(home, Size{480, 640}, [] {});
      terminal.Start();
      while (terminal.main_screen() == nullptr || !terminal.main_screen()->menu_shown()) {
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(1);
      }
      state.PauseTiming();
    }
    std::error_code ignored;
    std::filesystem::remove_all(home, ignored);
    state.ResumeTiming();
  }
}

void BM_MenuBehindASilentServer(benchmark::State& state) { MenuAfterStart(state, true); }
void BM_MenuWithNoServer(benchmark::State& state) { MenuAfterStart(state, false); }

BENCHMARK(BM_MenuBehindASilentServer)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MenuWithNoServer)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  using namespace tarvello;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter(bench::RatioReporter::Clock::kWall);
  benchmark::RunSpecifiedBenchmarks(&reporter);
  bench::EmitDuration("BM_MenuBehindASilentServer", reporter.Nanoseconds("BM_MenuBehindASilentServer/iterations:3/real_time"),
                      kMenuTargetNs, "BM_MenuWithNoServer", reporter.Nanoseconds("BM_MenuWithNoServer/iterations:3/real_time"));
  benchmark::Shutdown();
  return 0;
}
