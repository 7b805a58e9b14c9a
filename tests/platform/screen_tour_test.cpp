#include "platform/screen_tour.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "qt_test_app.h"
#include "test_screen.h"

namespace tarvello {
namespace {

class ScreenTourTest : public ::testing::Test {
 protected:
  ScreenTourTest() { screen_.resize(120, 160); }
  testing::QtApp app_;
  testing::TestScreen screen_;
  QTemporaryDir dir_;
};

TEST_F(ScreenTourTest, SavesOnePngPerStopAfterItsDataHasArrived) {
  bool data_arrived = false;
  ScreenTour tour;
  tour.AddStop("first", nullptr);
  tour.AddStop(
      "second", [&] { QTimer::singleShot(30, [&] { data_arrived = true; }); },
      [&] { return data_arrived; });
  std::string out = dir_.filePath(QStringLiteral("shots/deeper")).toStdString();
  ASSERT_EQ(tour.Run(screen_, out), 2);
  EXPECT_TRUE(data_arrived);
  QImage second(QString::fromStdString(out + "/second.png"));
  ASSERT_FALSE(second.isNull());
  EXPECT_EQ(second.size(), QSize(120, 160));
  EXPECT_TRUE(QImage(QString::fromStdString(out + "/first.png")).size() == QSize(120, 160));
}

TEST_F(ScreenTourTest, FolderThatCannotBeMadeFailsTheTour) {
  QString blocker = dir_.filePath(QStringLiteral("file"));
  QFile file(blocker);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  ScreenTour tour;
  tour.AddStop("only", nullptr);
  EXPECT_EQ(tour.Run(screen_, blocker.toStdString() + "/inside"), -1);
}

}  // namespace
}  // namespace tarvello
