#include "shell/app_options.h"

#include <gtest/gtest.h>

#include "shell/screen_font.h"

namespace tarvello {
namespace {

TEST(AppOptionsTest, DefaultsAreAVgaScreenAtScaleOneAndEveryOptionIsRead) {
  AppOptions options;
  std::string error;
  ASSERT_TRUE(ParseAppOptions({}, options, error));
  EXPECT_EQ(options.screen, (Size{480, 640}));
  EXPECT_EQ(options.scale, 1.0);
  EXPECT_TRUE(options.tour_dir.empty());
  ASSERT_TRUE(ParseAppOptions({"--screen", "240X320", "--scale", "1.5", "--home", "/tmp/t", "--tour", "shots"},
                              options, error));
  EXPECT_EQ(options.screen, (Size{240, 320}));
  EXPECT_EQ(options.scale, 1.5);
  EXPECT_EQ(options.home, "/tmp/t");
  EXPECT_EQ(options.tour_dir, "shots");
}

TEST(AppOptionsTest, BadValuesAreRefusedAndLeaveTheOptionsAlone) {
  for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
           {"--screen", "240"},        {"--screen", "240x"},     {"--screen", "x320"},
           {"--screen", "100x320"},    {"--screen", "240x9999"}, {"--screen", "240x320px"},
           {"--screen", "-240x320"},   {"--scale", "0"},         {"--scale", "nan"},
           {"--scale", "9"},           {"--scale", "2x"},        {"--screen"},
           {"--colour", "red"},        {"--scale", "2", "--tour"}}) {
    AppOptions options;
    std::string error;
    EXPECT_FALSE(ParseAppOptions(args, options, error)) << args[0];
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(options.screen, (Size{480, 640}));
    EXPECT_EQ(options.scale, 1.0);
  }
}

TEST(ScreenFontTest, FontGrowsWithTheShorterSideAndStaysLegible) {
  EXPECT_EQ(ScreenFontHeight(Size{240, 320}), 12);
  EXPECT_EQ(ScreenFontHeight(Size{480, 640}), 24);
  EXPECT_EQ(ScreenFontHeight(Size{640, 480}), 24);
  EXPECT_EQ(ScreenFontHeight(Size{120, 160}), kMinScreenFontHeight);
}

}  // namespace
}  // namespace tarvello
