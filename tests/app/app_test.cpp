// The terminal's glue: the menu pages and the quote list meet on the argument of target 1126, the
// desktop window's close button asks the exit question, and work handed from a worker to the UI
// thread runs there or, after the close, never.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <atomic>
#include <thread>

#include "app/terminal.h"
#include "app/ui_thread_call.h"
#include "base/program_folder.h"
#include "lists/list_codes.h"
#include "lists/list_routes.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "shell/range_pages.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

// Every category entry of a menu must open that category's list under the entry's own name.
TEST(MenuToListTest, EveryCategoryEntryOpensItsOwnList) {
  for (const int mode : {kPageCategories, kPageGlobal, kPageHongKong, kPageFundFlow}) {
    const std::optional<PageContent> page = StaticPage(mode);
    ASSERT_TRUE(page.has_value()) << mode;
    for (int line = 0; line < static_cast<int>(page->entries.size()); ++line) {
      const PageEntry& entry = page->entries[static_cast<std::size_t>(line)];
      const PageAction action = ActionOnLine(mode, page->entries, line);
      if (action.kind != PageAction::Kind::kNavigate) continue;
      const std::optional<ListOpening> opening =
          ListOpeningFor(action.navigation.target, action.navigation.argument);
      ASSERT_TRUE(opening.has_value()) << "mode " << mode << " line " << line;
      if (entry.code == 1111) {
        EXPECT_EQ(opening->mode, kModeSelfSelected);
        continue;
      }
      EXPECT_EQ(opening->category, entry.code) << "mode " << mode << " line " << line;
      EXPECT_EQ(opening->title, entry.text) << "mode " << mode << " line " << line;
    }
  }
}

using testing::ProcessEventsUntil;

// The close button asks like the exit key, and only Yes ends the program.
TEST(TerminalCloseTest, TheCloseButtonAsksBeforeItEndsTheProgram) {
  testing::QtApp app;
  testing::TempFolder home;
  SetProgramFolder(home.path().string());
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  bool finished = false;
  {
    Terminal terminal(home.path(), Size{240, 320}, [&] { finished = true; });
    terminal.Start();
    prompter.QueueAnswer(PromptAnswer::kNo);
    QCloseEvent refused;
    QApplication::sendEvent(&terminal.frame(), &refused);
    ASSERT_EQ(prompter.asked().size(), 1u);
    EXPECT_EQ(prompter.asked()[0].text, CDlgMain::kExitQuestion);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_TRUE(terminal.frame().isVisible());

    prompter.QueueAnswer(PromptAnswer::kYes);
    QCloseEvent confirmed;
    QApplication::sendEvent(&terminal.frame(), &confirmed);
    EXPECT_TRUE(ProcessEventsUntil([&] { return finished; }));
  }
  InstallPrompter(nullptr);
  SetProgramFolder(".");
}

class UiThreadCallTest : public ::testing::Test {
 protected:
  testing::QtApp app_;
  UiThreadCall call_;
};

TEST_F(UiThreadCallTest, AfterCloseAWaitingWorkerGivesUpAndTheWorkNeverRuns) {
  std::atomic<bool> ran{false};
  std::atomic<bool> waiting{false};
  std::thread worker([&] {
    waiting = true;
    EXPECT_EQ(call_.Run([&] {
      ran = true;
      return 1;
    }, -1), -1);
  });
  while (!waiting) std::this_thread::yield();
  call_.Close();
  worker.join();  // the UI thread is busy joining: the worker must not wait for it
  QCoreApplication::processEvents();
  EXPECT_FALSE(ran);
  EXPECT_EQ(call_.Run([] { return 1; }, -1), 1) << "the UI thread's own calls still run";
}

}  // namespace
}  // namespace tarvello
