// Zoom arithmetic: bar step, visible count, and the right edge kept across zoom steps.
#include <gtest/gtest.h>

#include "kline/kline_viewport.h"

namespace tarvello {
namespace {

KLineViewport Fitted(int zoomBars, int width, int firstVisible = 0) {
  KLineViewport viewport;
  viewport.zoomBars = zoomBars;
  viewport.firstVisible = firstVisible;
  FitToWidth(viewport, width);
  return viewport;
}

TEST(ViewportTest, BarStepIsEvenAndNeverZero) {
  EXPECT_EQ(Fitted(31, 240).barStep, 6);
  EXPECT_EQ(Fitted(31, 240).visibleCount, 40);
  EXPECT_EQ(Fitted(15, 480).barStep, 32);
  EXPECT_EQ(Fitted(94, 100).visibleCount, 50);  // narrower than two pixels a bar
  EXPECT_EQ(Fitted(94, 0).visibleCount, 1);
}

TEST(ViewportTest, ZoomKeepsTheRightEdge) {
  KLineViewport viewport = Fitted(31, 240, 50);  // 40 visible, right edge at 90 of 200 bars
  viewport.cursorShown = true;
  ASSERT_TRUE(ZoomIn(viewport, 240, 200));  // 23 bars: step 10, 24 visible
  EXPECT_EQ(viewport.firstVisible, 66);
  EXPECT_EQ(viewport.cursor, 66);
  EXPECT_FALSE(viewport.cursorShown);
  ASSERT_TRUE(ZoomOut(viewport, 240, 200));
  ASSERT_TRUE(ZoomOut(viewport, 240, 200));  // 47 bars: step 4, 60 visible
  EXPECT_EQ(viewport.firstVisible, 30);

  viewport = Fitted(15, 240, 5);  // 15 visible: the edge at 20 cannot show 24 bars
  ASSERT_TRUE(ZoomOut(viewport, 240, 100));
  EXPECT_EQ(viewport.firstVisible, 0);
  viewport = Fitted(23, 240, 90);  // edge 114 beyond 100 bars snaps to the newest
  ASSERT_TRUE(ZoomIn(viewport, 240, 100));
  EXPECT_EQ(viewport.firstVisible, 85);
}

}  // namespace
}  // namespace tarvello
