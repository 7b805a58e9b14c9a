// Lays out one long paragraph of a markup page, mixed Chinese and Latin text with spaces, at the
// page width of a 480-pixel screen, measuring text with the Qt canvas as the page view does. The
// figure is the cost per character: a paragraph of 16 KB and one of 1 MiB (the largest page the
// view accepts) against one of 1 KB, the floor; a layout whose work grows faster than the text
// shows as a ratio above 1.
//
// Then the page view opening a 1 MiB page of that paragraph: its first paint, the longest a key or
// tap waits while the page opens, since fetching, reading and laying out run on the view's worker.
#include <QCoreApplication>
#include <QImage>
#include <atomic>
#include <chrono>
#include <string>

#include "markup/markup_page_dlg.h"
#include "markup/page_layout.h"
#include "paint_floor.h"
#include "platform/qt_canvas.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 640;
constexpr int kPageWidth = kWidth - 16;
constexpr long kSmall = 1024;
constexpr long kMiddle = 16 * 1024;
constexpr long kLarge = 1024 * 1024;

// A paragraph of at least the given number of bytes once written as UTF-8.
std::u16string Paragraph(long bytes) {
  const std::u16string sentence = u"上证指数今日收盘上涨 1.23%, 成交金额 2345.67 亿元, 两市 1200 只股票上涨. ";
  const long sentence_bytes = static_cast<long>(text::ToUtf8(sentence).size());
  std::u16string paragraph;
  for (long written = 0; written < bytes; written += sentence_bytes) paragraph += sentence;
  return paragraph;
}

void BM_LayOutParagraph(benchmark::State& state) {
  const std::vector<PageItem> items{PageItem{u"#text", Paragraph(state.range(0)), {}, {}}};
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QtCanvas canvas(image);
  const PageMetrics metrics = CanvasPageMetrics(canvas, kPageWidth);
  std::size_t controls = 0;
  for (auto _ : state) controls = LayOutPage(items, metrics).controls.size();
  state.counters["chars"] = static_cast<double>(items[0].text.size());
  state.counters["lines"] = static_cast<double>(controls);
}
BENCHMARK(BM_LayOutParagraph)->Arg(kSmall)->Arg(kMiddle)->Arg(kLarge)->Unit(benchmark::kMillisecond);

// Opens the page again and again; the timed part is the first paint once it has come, the
// longest the user-interface thread is busy with it.
void BM_OpenLargePage(benchmark::State& state) {
  const std::u16string page = u"<wml><card><p>" + Paragraph(kLarge) + u"</p></card></wml>";
  std::atomic<int> fetches{0};
  CMarkupPageDlg view(MarkupPageParts{[&](std::u16string_view) {
                                        ++fetches;
                                        return page;
                                      },
                                      u"http://bench/index.wml", nullptr, nullptr});
  view.resize(kWidth, kHeight);
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  for (auto _ : state) {
    state.PauseTiming();
    const int asked = fetches + 1;
    view.Open();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while ((fetches < asked || view.busy()) && std::chrono::steady_clock::now() < end) {
      QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    state.ResumeTiming();
    QtCanvas canvas(image);
    view.PaintOn(canvas);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.counters["controls"] = static_cast<double>(view.layout().controls.size());
}
// Each opening waits about a second for the worker, which the timing leaves out: a few will do.
BENCHMARK(BM_OpenLargePage)->Iterations(8)->Unit(benchmark::kMillisecond);

// Nanoseconds per character of a paragraph of the given bytes; 0 when it was not run.
double PerCharacter(const bench::RatioReporter& reporter, long bytes) {
  const double total = reporter.Nanoseconds("BM_LayOutParagraph/" + std::to_string(bytes));
  return total / static_cast<double>(Paragraph(bytes).size());
}

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  using namespace tarvello;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  benchmark::Initialize(&argc, argv);
  bench::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double floor = PerCharacter(reporter, kSmall);
  for (const long bytes : {kMiddle, kLarge}) {
    const double per_character = PerCharacter(reporter, bytes);
    if (per_character <= 0 || floor <= 0) continue;
    const std::string name = "layout per character, " + std::to_string(bytes / 1024) + " KB paragraph";
    std::printf("%s: %.1f ns, floor 1 KB paragraph: %.1f ns, ratio %.3f (target <= 2)\n", name.c_str(),
                per_character, floor, per_character / floor);
    bench::EmitRatio(name, per_character, "1 KB paragraph", floor, 2.0);
  }
  if (const double open = reporter.Nanoseconds("BM_OpenLargePage/iterations:8"); open > 0) {
    std::printf("first paint of a 1 MiB page: %.1f ms (target <= 50 ms)\n", open / 1e6);
    bench::EmitDuration("first paint of a 1 MiB page", open, 50e6);
  }
  benchmark::Shutdown();
  return 0;
}
