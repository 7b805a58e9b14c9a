// Paints a full page of the quote list (a category ranked by change, every row traded, the names
// looked up in a self-selected list of 400 codes) into an image with the Qt canvas, at 480x640 and
// 240x320, against a paint that only fills the same image: the floor. A full page at 480x640
// should paint in under 2 ms.
#include <QImage>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>

#include "lists/stock_list_dlg.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "platform/qt_canvas.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "paint_floor.h"

namespace tarvello {
namespace {

constexpr int kRows = 40;
constexpr int kOwnCodes = 400;

std::u16string Code(int i) {
  const std::string digits = std::to_string(600000 + i);
  return u"SH" + std::u16string(digits.begin(), digits.end());
}

Bytes FullPageAnswer() {
  WireWriter rows;
  rows.I16(kRows);
  for (int i = 0; i < kRows; ++i) {
    const int change = (i % 7) * 13 - 40;
    rows.Utf8(Code(i)).Utf8(u"股票名称" + Code(i).substr(6)).U8(2).U8(0).I32(1500 + change).I32(change * 7).I32(change);
    rows.I32(321).I32(100000 + i * 4321).I32(1560).I32(1440).I32(12).I32(2345).I32(0);
  }
  rows.U16(4000);
  ContainerWriter writer;
  writer.Add(kCategoryList, rows.Take());
  return writer.Finish();
}

class ListFolder {
 public:
  ListFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tarvello-bench-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
    OwnStockList list = OwnStockList::SelfSelected(path_);
    for (int i = 0; i < kOwnCodes; ++i) list.Add(SecurityCode(Code(1000 + i * 2 - (i % 5 == 0 ? 1000 : 0))));
  }
  ~ListFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A list screen of the given size showing one full page.
class LoadedList {
 public:
  explicit LoadedList(Size size)
      : answer_(FullPageAnswer()),
        self_(OwnStockList::SelfSelected(folder_.path())),
        screen_(StockListParts{[this](std::span<const std::uint8_t>, std::span<std::uint8_t> out) {
                                 const std::size_t n = std::min(out.size(), answer_.size());
                                 std::memcpy(out.data(), answer_.data(), n);
                                 return static_cast<int>(n);
                               },
                               nullptr, &self_, nullptr, nullptr, std::chrono::minutes(10), nullptr, nullptr}) {
    screen_.resize(size.width, size.height);
    QImage image(size.width, size.height, QImage::Format_RGB32);
    QtCanvas canvas(image);
    screen_.PaintOn(canvas);
    screen_.Open(kTargetQuoteList, -60);
    while (!screen_.view()->loaded || screen_.busy()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  CStockListDlg& screen() { return screen_; }

 private:
  Bytes answer_;
  ListFolder folder_;
  OwnStockList self_;
  CStockListDlg screen_;
};

void BM_PaintListPage(benchmark::State& state) {
  const Size size{static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
  LoadedList loaded(size);
  bench::PaintLoop(state, loaded.screen(), size.width, size.height);
}

BENCHMARK(BM_PaintListPage)->Args({480, 640})->Args({240, 320})->Unit(benchmark::kMicrosecond);
BENCHMARK(bench::FillFloor)->Name("BM_FillOnly")->Args({480, 640})->Args({240, 320})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) {
  // The target is 2 ms per full page at 480x640; with a 480x640 fill of about 16 us on this machine
  // that is a ratio of 120, used for both sizes.
  constexpr double kRatioTarget = 120.0;
  return tarvello::bench::RunPaintBenchmarks(argc, argv,
                                            {{"BM_PaintListPage/480/640", "BM_FillOnly/480/640", kRatioTarget},
                                             {"BM_PaintListPage/240/320", "BM_FillOnly/240/320", kRatioTarget}});
}
