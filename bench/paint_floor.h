// What the paint benchmarks share: the floor they are measured against (filling an image of the
// screen's size, the least any paint must do), the timed loop of full paints, and a main that runs
// them on Qt's offscreen platform and prints their ratios to that floor.
#pragma once

#include <QApplication>
#include <QImage>
#include <cstdlib>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/qt_canvas.h"
#include "ratio_reporter.h"

namespace tarvello::bench {

// Arguments: width and height.
inline void FillFloor(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  QImage image(width, height, QImage::Format_RGB32);
  for (auto _ : state) {
    QtCanvas canvas(image);
    canvas.FillRect(Rect{0, 0, width, height}, kBlack);
    benchmark::DoNotOptimize(image.constBits());
  }
}

// Times full paints of anything with PaintOn(Canvas&) into an image of width x height.
template <typename Painted>
void PaintLoop(benchmark::State& state, Painted& painted, int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (auto _ : state) {
    QtCanvas canvas(image);
    painted.PaintOn(canvas);
    benchmark::DoNotOptimize(image.constBits());
  }
}

inline int RunPaintBenchmarks(int argc, char** argv, const std::vector<RatioTarget>& targets) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  return RunAndPrintRatios(argc, argv, targets);
}

}  // namespace tarvello::bench
