// The desktop window's close button on the running terminal: it asks the exit question like the
// exit key, and only Yes ends the program.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>

#include "app/terminal.h"
#include "base/program_folder.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

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

}  // namespace
}  // namespace tarvello
