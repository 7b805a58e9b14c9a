// The memory the terminal holds after a walk through its main screens: the program's own screen
// tour (--tour) against a fresh simulator, every list, detail, K-line, information page and form
// it knows. The floor is a bare Qt window of the same size that draws the same fonts, Latin and
// Chinese, plain and bold. Each runs as a process of its own, and each figure is the peak
// resident size the system reports for that process when it ends (the most it held at any time),
// so neither counts this program nor the simulator.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/qt_canvas.h"
#include "ratio_reporter.h"
#include "shell/screen_font.h"
#include "sim_process.h"
#include "storage/utf16le.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr Size kScreen{480, 640};
constexpr const char* kFloorOption = "--floor";

// The floor's window: the screen's size, painted with the screen font as the screens use it.
class FontWindow : public QWidget {
 public:
  bool painted = false;

 protected:
  void paintEvent(QPaintEvent*) override {
    QImage image(size(), QImage::Format_RGB32);
    {
      QtCanvas canvas(image);
      canvas.FillRect(Rect{0, 0, width(), height()}, kBlack);
      for (const bool bold : {false, true}) {
        canvas.SetFont(Font{0, bold});
        canvas.DrawText(u"上证指数 3012.45 +1.23% 成交 1234.5亿 SH600001", Rect{0, bold ? 40 : 0, width(), 80},
                        kTextLeft | kTextSingleLine);
      }
    }
    QPainter(this).drawImage(0, 0, image);
    painted = true;
  }
};

int RunFloor(int argc, char** argv) {
  QApplication app(argc, argv);
  QtCanvas::SetScreenFontHeight(ScreenFontHeight(kScreen));
  FontWindow window;
  window.resize(kScreen.width, kScreen.height);
  window.show();
  while (!window.painted) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  return 0;
}

// Runs argv with QT_QPA_PLATFORM=offscreen and returns its peak resident size in kilobytes, or -1
// when it could not be run or failed.
long PeakKilobytes(std::vector<std::string> args) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    if (std::FILE* null = std::fopen("/dev/null", "w")) ::dup2(::fileno(null), STDOUT_FILENO);
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  if (pid < 0) return -1;
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return usage.ru_maxrss;
}

// A program folder whose Deployment.ini points every server at the simulator.
void WriteDeployment(const std::filesystem::path& folder, const bench::SimProcess& sim) {
  std::string ini = "[SERVERS]\r\n";
  for (const char* key : {"QUOTE1_0", "QUOTE1_1", "QUOTE0_0", "QUOTE0_1"}) ini += std::string(key) + "=127.0.0.1\r\n";
  ini += "QUOTEPORT=" + std::to_string(sim.quote_port()) + "\r\n[INFOSERVERS]\r\n";
  for (const char* key : {"INFO1_0", "INFO1_1", "INFO0_0", "INFO0_1"}) ini += std::string(key) + "=127.0.0.1\r\n";
  ini += "INFOPORT=" + std::to_string(sim.info_port()) + "\r\n[GATEWAY]\r\nHOST=127.0.0.1\r\nGATEWAYPORT=" +
         std::to_string(sim.gateway_port()) + "\r\n";
  const std::string bytes = EncodeUtf16Le(text::FromUtf8(ini));
  std::FILE* file = std::fopen((folder / "Deployment.ini").c_str(), "wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

std::string Megabytes(long kilobytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(kilobytes) / 1024);
  return text;
}

int Run(const char* self) {
  const long floor = PeakKilobytes({self, kFloorOption});
  bench::SimProcess sim;
  if (!sim.Start(bench::SimProcess::BesideBenchmark(), {})) {
    std::fprintf(stderr, "the simulator did not start\n");
    return 1;
  }
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / ("tarvello-memory-tour-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  WriteDeployment(folder, sim);
  const std::filesystem::path program =
      std::filesystem::path(bench::SimProcess::BesideBenchmark()).parent_path() / "tarvello";
  const long tour = PeakKilobytes({program.string(), "--home", folder.string(), "--tour", (folder / "tour").string()});
  std::filesystem::remove_all(folder);
  if (floor <= 0 || tour <= 0) {
    std::fprintf(stderr, "the %s did not run to its end\n", floor <= 0 ? "floor" : "tour");
    return 1;
  }
  const double ratio = static_cast<double>(tour) / static_cast<double>(floor);
  // What the program needs beyond Qt and the fonts: its pictures at the sizes drawn, the image of
  // the screen in front, the records of its screens and the stacks of their threads.
  constexpr double kTarget = 2.0;
  std::printf("after the tour: %s, floor (a bare window with the same fonts): %s, ratio %.2f (target <= %.2f)\n",
              Megabytes(tour).c_str(), Megabytes(floor).c_str(), ratio, kTarget);
  char limit[32];
  std::snprintf(limit, sizeof limit, "ratio <= %.3g", kTarget);
  bench::EmitFigure({"resident size after the screen tour", Megabytes(tour), "bare window with the fonts",
                     Megabytes(floor), ratio, limit, ratio <= kTarget});
  return 0;
}

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], tarvello::kFloorOption) == 0) return tarvello::RunFloor(argc, argv);
  return tarvello::Run(std::filesystem::read_symlink("/proc/self/exe").c_str());
}
