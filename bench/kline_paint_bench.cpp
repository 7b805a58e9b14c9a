// Paints the K-line chart at 480x640 with 94 bars on screen, the cursor and its info box, once for
// each indicator pane, into an image with the Qt canvas, against a paint that only fills the same
// image: the floor. A full paint should stay under 4 ms, a quarter of a 60 Hz frame, so that
// dragging the cursor never lags.
#include <string>
#include <vector>

#include "kline/kline_dlg.h"
#include "kline_answer_bytes.h"
#include "paint_floor.h"

namespace tarvello {
namespace {

constexpr int kBars = 123;
constexpr unsigned kIndicatorCommands[] = {32796, 32876, 32877, 32800, 32801, 32802, 32804, 32923};
constexpr const char* kIndicatorNames[] = {"VOL", "MACD", "KDJ", "RSI", "BIAS", "CCI", "BOLL", "WR"};

// A chart of 480x640 zoomed out to 94 bars with its cursor shown.
class LoadedChart {
 public:
  LoadedChart()
      : answer_(bench::KLineFullLoadAnswer(kBars)),
        chart_(KLineParts{bench::FixedAnswer(answer_), nullptr, nullptr, nullptr, std::chrono::minutes(10), nullptr, nullptr}) {
    chart_.resize(480, 640);
    chart_.Open(SecurityCode(u"SH600001"), 0);
    for (int i = 0; i < 4; ++i) chart_.SendKey(kKeyDown);
    chart_.SendKey(kKeyRight);
  }
  CKLineDlg& chart() { return chart_; }

 private:
  Bytes answer_;
  CKLineDlg chart_;
};

void BM_PaintKLine(benchmark::State& state) {
  LoadedChart loaded;
  loaded.chart().RunCommand(kIndicatorCommands[state.range(0)]);
  bench::PaintLoop(state, loaded.chart(), 480, 640);
  state.SetLabel(kIndicatorNames[state.range(0)]);
}

BENCHMARK(BM_PaintKLine)->DenseRange(0, 7)->Unit(benchmark::kMicrosecond);
BENCHMARK(bench::FillFloor)->Name("BM_FillOnly")->Args({480, 640})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  // 4 ms per full paint against a 480x640 fill of about 16 us on this machine: a ratio of 250.
  constexpr double kRatioTarget = 250.0;
  std::vector<tarvello::bench::RatioTarget> targets;
  for (int i = 0; i < 8; ++i) {
    targets.push_back({"BM_PaintKLine/" + std::to_string(i), "BM_FillOnly/480/640", kRatioTarget});
  }
  return tarvello::bench::RunPaintBenchmarks(argc, argv, targets);
}
