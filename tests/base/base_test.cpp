// Which folders a portable and an installed copy use, the program folder's paths from handheld names, the thread queue's drain, close and pause, and
// where a pop-up menu opens.
#include <gtest/gtest.h>

#include "base/menu_placement.h"
#include "base/program_folder.h"
#include "base/thread_queue.h"

namespace tarvello {
namespace {

TEST(ProgramFolderTest, HandheldNamesBecomePathsInsideAndEachCopyKeepsItsFilesWhereTheyBelong) {
  SetProgramFolder("/opt/tarvello/");
  EXPECT_EQ(ProgramFolder(), "/opt/tarvello");
  EXPECT_EQ(ProgramPath("Picture\\back.jpg"), "/opt/tarvello/Picture/back.jpg");
  EXPECT_EQ(ProgramPath("/COMMUMIC.txt"), "/opt/tarvello/COMMUMIC.txt");
  EXPECT_EQ(ProgramPath("\\inter.xml"), "/opt/tarvello/inter.xml");
  SetProgramFolder("/");
  EXPECT_EQ(ProgramPath("Configuration.ini"), "/Configuration.ini");
  SetProgramFolder("");
  EXPECT_EQ(ProgramPath("Configuration.ini"), "./Configuration.ini");
  SetProgramFolder(".");
  // A portable copy keeps everything beside itself; an installed one keeps the user's files under
  // the XDG data folder (a relative XDG_DATA_HOME does not count) and reads its pictures from
  // share/; --home moves only the user's files.
  struct Case {
    const char* what;
    FolderFacts facts;
    const char* program;
    const char* shipped;
  };
  const Case cases[] = {
      {"portable", {"", "/opt/t/bin", true, true, "/x", "/home/u"}, "/opt/t/bin", "/opt/t/bin"},
      {"installed", {"", "/usr/bin", false, false, "", "/home/u"}, "/home/u/.local/share/tarvello",
       "/usr/share/tarvello"},
      {"installed with XDG", {"", "/usr/bin/", false, false, "/data/", "/home/u"}, "/data/tarvello",
       "/usr/share/tarvello"},
      {"relative XDG", {"", "/usr/bin", false, false, "data", "/home/u"}, "/home/u/.local/share/tarvello",
       "/usr/share/tarvello"},
      {"writable but no pictures", {"", "/home/u/bin", true, false, "", "/home/u"},
       "/home/u/.local/share/tarvello", "/home/u/share/tarvello"},
      {"read-only with pictures", {"", "/mnt/t", false, true, "", "/home/u"}, "/home/u/.local/share/tarvello",
       "/mnt/t"},
      {"--home on installed", {"/tmp/h/", "/usr/bin", false, false, "/data", "/home/u"}, "/tmp/h",
       "/usr/share/tarvello"},
      {"--home on portable", {"/tmp/h", "/opt/t", true, true, "", ""}, "/tmp/h", "/opt/t"},
      {"no home anywhere", {"", "/usr/bin", false, false, "", ""}, "", "/usr/share/tarvello"},
  };
  for (const Case& c : cases) {
    const ProgramFolders folders = ChooseProgramFolders(c.facts);
    EXPECT_EQ(folders.program, c.program) << c.what;
    EXPECT_EQ(folders.shipped, c.shipped) << c.what;
  }
}

// Drain takes everything queued; a closed queue refuses posts and drops what was queued; a pause
// runs its course while the queue is open, even with messages waiting.
TEST(ThreadQueueTest, DrainCloseAndPause) {
  ThreadQueue queue;
  for (int i = 0; i < 3; ++i) queue.Post({2033, i, 0});
  auto drained = queue.Drain();
  ASSERT_EQ(drained.size(), 3u);
  EXPECT_EQ(drained.front().wparam, 0);
  EXPECT_EQ(drained.back().wparam, 2);
  EXPECT_TRUE(queue.Drain().empty());
  queue.Post({2033, 9, 0});
  EXPECT_FALSE(queue.SleepUnlessClosed(std::chrono::milliseconds(5)));
  EXPECT_EQ(queue.Get()->wparam, 9);

  queue.Post({2033, 0, 0});
  queue.Close();
  EXPECT_TRUE(queue.IsClosed());
  EXPECT_FALSE(queue.Post({2033, 0, 0}));
  EXPECT_FALSE(queue.Get().has_value());
}

TEST(MenuPlacementTest, AMenuOpensAtItsAnchorAndStaysInsideTheScreen) {
  const Rect screen{0, 0, 240, 320};
  const struct {
    Size menu;
    Point at;
    MenuAnchor anchor;
    Point placed;
  } cases[] = {
      {{100, 80}, {0, 40}, MenuAnchor::kTopLeft, {0, 40}},         // hangs from a top toolbar
      {{100, 80}, {0, 290}, MenuAnchor::kBottomLeft, {0, 210}},    // stands on a bottom bar
      {{100, 200}, {0, 280}, MenuAnchor::kTopLeft, {0, 120}},      // would run off the bottom
      {{100, 200}, {0, 100}, MenuAnchor::kBottomLeft, {0, 0}},     // would run off the top
      {{100, 80}, {200, 40}, MenuAnchor::kTopLeft, {140, 40}},     // would run off the right
      {{300, 400}, {50, 300}, MenuAnchor::kBottomLeft, {0, 0}},    // larger than the screen
  };
  for (const auto& c : cases) {
    const Point placed = PlaceMenu(c.menu, MenuPlacement{c.at, c.anchor, screen});
    EXPECT_EQ(placed, c.placed) << c.at.x << "," << c.at.y;
  }
  EXPECT_EQ(PlaceMenu({100, 80}, MenuPlacement{{600, 900}, MenuAnchor::kBottomLeft, {500, 100, 980, 740}}),
            (Point{600, 660}))
      << "a screen placed anywhere on the desktop";
}

}  // namespace
}  // namespace tarvello
