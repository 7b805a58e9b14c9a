// Paints the batch panel over a 480x640 quote list with the Qt canvas: the check-box entry with a
// full page of 17 offered rows, and the typing entry with its keypad, against a paint that only
// fills an image of the screen's size: the floor. Each should paint in under 2 ms.
#include <string>
#include <vector>

#include "lists/batch_list_stock_dlg.h"
#include "market/own_stock_list.h"
#include "paint_floor.h"

namespace tarvello {
namespace {

constexpr int kWidth = 480;
constexpr int kHeight = 640;
constexpr int kLine = 20;
constexpr int kPageRows = 17;

void BM_PaintBatchPanel(benchmark::State& state) {
  const BatchEntry entry = state.range(0) == 0 ? BatchEntry::kAddFromPage : BatchEntry::kTypeCodes;
  OwnStockList none("/nonexistent/tarvello-bench/SelectStock.ini");
  CBatchListStockDlg panel(BatchPanelParts{nullptr, &none, nullptr}, nullptr);
  std::vector<BatchRow> page;
  for (int i = 0; i < kPageRows; ++i) {
    const std::string digits = std::to_string(600000 + i);
    const std::u16string code = u"SH" + std::u16string(digits.begin(), digits.end());
    page.push_back({SecurityCode(code), u"股票名称" + code.substr(6)});
  }
  const Rect area = BatchPanelArea(kWidth, kHeight, kLine);
  panel.Open(entry, page, area);
  bench::PaintLoop(state, panel, area.Width(), area.Height());
}

BENCHMARK(BM_PaintBatchPanel)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(bench::FillFloor)->Name("BM_FillOnly")->Args({kWidth, kHeight})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  // 2 ms against a 480x640 fill of about 16 us on this machine: a ratio of 120.
  constexpr double kRatioTarget = 120.0;
  return tarvello::bench::RunPaintBenchmarks(argc, argv,
                                            {{"BM_PaintBatchPanel/0", "BM_FillOnly/480/640", kRatioTarget},
                                             {"BM_PaintBatchPanel/1", "BM_FillOnly/480/640", kRatioTarget}});
}
