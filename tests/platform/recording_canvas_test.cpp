#include "platform/recording_canvas.h"

#include <gtest/gtest.h>

#include "qt_test_app.h"
#include "test_screen.h"

namespace tarvello {
namespace {

class RecordingCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override { testing::EnsureQtApp(); }
};

TEST_F(RecordingCanvasTest, TellsWhichTextAndPictureWereDrawnWhereInWhichColour) {
  testing::TestScreen screen;
  screen.resize(240, 320);
  RecordingCanvas canvas(Size{240, 320});
  screen.PaintOn(canvas);

  auto price = canvas.FindText(u"12.34");
  ASSERT_TRUE(price.has_value());
  EXPECT_EQ(price->color, 0x0000FFu);
  EXPECT_EQ(price->box.left, 0);
  EXPECT_EQ(price->box.Height(), 18);  // fixed metrics: 16 + 2
  EXPECT_TRUE(canvas.DrewText(u"成交量", 0x00FFFF));
  EXPECT_FALSE(canvas.DrewText(u"成交量", 0x0000FF));
  EXPECT_EQ(canvas.FindText(u"成交量")->flags & kTextRight, kTextRight);
  EXPECT_EQ(canvas.Texts().size(), 2u);

  auto pictures = canvas.CallsOf(DrawCall::Kind::kPicture);
  ASSERT_EQ(pictures.size(), 1u) << "a missing picture is recorded and drawing goes on";
  EXPECT_EQ(pictures[0].picture, "Picture/not-there.png");
  EXPECT_TRUE(pictures[0].picture_missing);
}

TEST_F(RecordingCanvasTest, MetricsAreFixedAndWideCharactersTakeAFullCell) {
  RecordingCanvas canvas(Size{480, 640});
  TextMetrics m = canvas.Metrics();
  EXPECT_EQ(m.LineHeight(), 18);
  EXPECT_EQ(m.BarHeight(), 27);
  EXPECT_EQ(canvas.TextWidth(u"12.34"), 40);
  EXPECT_EQ(canvas.TextWidth(u"沪深300"), 2 * 16 + 3 * 8);
  canvas.SetFont(Font{24, true});
  EXPECT_EQ(canvas.Metrics().max_char_width, 24);
  EXPECT_EQ(canvas.TextWidth(u"A"), 12);
}

TEST_F(RecordingCanvasTest, ShapesCarryThePenBrushAndClipInForceWhenDrawn) {
  RecordingCanvas canvas(Size{100, 100});
  canvas.SetPen(Pen{0x00FF00, 2, PenStyle::kDash});
  canvas.SetBrush(Brush{0x606060, false});
  canvas.SetClip(Rect{0, 0, 50, 50});
  Point triangle[] = {{10, 10}, {40, 10}, {25, 30}};
  canvas.Polygon(triangle);
  canvas.ResetClip();
  canvas.Line({0, 99}, {99, 0});

  ASSERT_EQ(canvas.calls().size(), 2u);
  const DrawCall& polygon = canvas.calls()[0];
  EXPECT_EQ(polygon.pen, (Pen{0x00FF00, 2, PenStyle::kDash}));
  EXPECT_EQ(polygon.brush.color, 0x606060u);
  EXPECT_EQ(polygon.box, (Rect{10, 10, 41, 31}));
  EXPECT_EQ(polygon.clip, (Rect{0, 0, 50, 50}));
  EXPECT_FALSE(canvas.calls()[1].clip.has_value());
  EXPECT_EQ(canvas.calls()[1].points.size(), 2u);
}

}  // namespace
}  // namespace tarvello
