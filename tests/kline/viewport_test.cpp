// Zoom arithmetic: bar step, visible count, and the right edge kept across zoom steps.
#include <gtest/gtest.h>

#include "kline/kline_viewport.h"

namespace tarvello {
namespace {

KLineViewport Fitted(int zoomBars, int width) {
  KLineViewport viewport;
  viewport.zoomBars = zoomBars;
  FitToWidth(viewport, width);
  return viewport;
}

TEST(ViewportTest, BarStepIsEvenAndVisibleCountFillsTheWidth) {
  EXPECT_EQ(Fitted(31, 240).barStep, 6);
  EXPECT_EQ(Fitted(31, 240).visibleCount, 40);
  EXPECT_EQ(Fitted(94, 240).barStep, 2);
  EXPECT_EQ(Fitted(94, 240).visibleCount, 120);
  EXPECT_EQ(Fitted(15, 480).barStep, 32);
  EXPECT_EQ(Fitted(15, 480).visibleCount, 15);
}

TEST(ViewportTest, NarrowScreenStillGetsAStep) {
  EXPECT_EQ(Fitted(94, 100).barStep, 2);
  EXPECT_EQ(Fitted(94, 100).visibleCount, 50);
  EXPECT_EQ(Fitted(94, 0).visibleCount, 1);
}

TEST(ViewportTest, ZoomKeepsTheRightEdge) {
  KLineViewport viewport = Fitted(31, 240);  // 40 visible
  viewport.firstVisible = 50;                // right edge at 90 of 200 bars
  viewport.cursor = 70;
  viewport.cursorShown = true;
  ASSERT_TRUE(ZoomIn(viewport, 240, 200));  // 23 bars: step 10, 24 visible
  EXPECT_EQ(viewport.visibleCount, 24);
  EXPECT_EQ(viewport.firstVisible, 66);
  EXPECT_EQ(viewport.cursor, 66);
  EXPECT_FALSE(viewport.cursorShown);
  ASSERT_TRUE(ZoomOut(viewport, 240, 200));
  ASSERT_TRUE(ZoomOut(viewport, 240, 200));  // 47 bars: step 4, 60 visible
  EXPECT_EQ(viewport.visibleCount, 60);
  EXPECT_EQ(viewport.firstVisible, 30);
}

TEST(ViewportTest, ZoomOutNearTheStartStopsAtBarZero) {
  KLineViewport viewport = Fitted(15, 240);  // step 16, 15 visible
  viewport.firstVisible = 5;
  ASSERT_TRUE(ZoomOut(viewport, 240, 100));  // 23 bars: 24 visible, edge at 20
  EXPECT_EQ(viewport.firstVisible, 0);
}

TEST(ViewportTest, EdgeBeyondTheSeriesSnapsToTheNewestBar) {
  KLineViewport viewport = Fitted(94, 240);  // 120 visible over 30 bars
  ASSERT_TRUE(ZoomIn(viewport, 240, 30));
  EXPECT_EQ(viewport.firstVisible, 0);
  viewport = Fitted(23, 240);
  viewport.firstVisible = 90;  // edge 114 beyond 100 bars
  ASSERT_TRUE(ZoomIn(viewport, 240, 100));
  EXPECT_EQ(viewport.visibleCount, 15);
  EXPECT_EQ(viewport.firstVisible, 85);
}

TEST(ViewportTest, ZoomStopsAtEitherEnd) {
  KLineViewport viewport = Fitted(15, 240);
  viewport.firstVisible = 3;
  EXPECT_FALSE(ZoomIn(viewport, 240, 100));
  EXPECT_EQ(viewport.zoomBars, 15);
  EXPECT_EQ(viewport.firstVisible, 3);
  viewport = Fitted(94, 240);
  EXPECT_FALSE(ZoomOut(viewport, 240, 100));
  EXPECT_EQ(viewport.zoomBars, 94);
}

}  // namespace
}  // namespace tarvello
