// Test support for the end-to-end walks: a fixture with the simulator, a fault proxy in front of
// its quote port (so that a walk can read the request bytes the terminal sent), the terminal on a
// program folder of its own, and the steps a user takes: a tap, a menu cell, a menu page's line, a
// toolbar cell, a pop-up menu's entry. Every wait is for a condition, with limits generous enough
// for a loaded machine.
#pragma once

#include <QEvent>
#include <QWidget>
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/terminal.h"
#include "base/geometry.h"
#include "platform/qt_test_app.h"
#include "platform/scripted_prompter.h"
#include "protocol/bytes.h"
#include "simulator_process.h"
#include "support/fault_proxy.h"
#include "support/temp_folder.h"

namespace tarvello::testing {

inline constexpr std::chrono::seconds kWalkWait{30};

// Stylus events sent to a screen's window as the mouse in the terminal's window sends them, and
// where a text was drawn, for a tap on it.
void Pen(QWidget& window, QEvent::Type type, int x, int y);
void Tap(QWidget& window, Point at);
// The centre of the first drawing of text on the screen as it paints now; {-1, -1} when the
// screen does not draw it.
Point CentreOf(Window& screen, std::u16string_view text);

class TerminalWalk : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The simulator with extra options, the proxy before it and the Deployment.ini that points the
  // terminal at the proxy. False when the simulator did not start.
  bool StartSimulator(const std::vector<std::string>& extra_args = {});
  // Starts the terminal (again, after closing a running one) and waits for its menu and, unless
  // told to wait for the menu only, the end of its start-up's exchanges.
  enum class StartWait { kStartupOver, kMenu };
  bool StartTerminal(Size screen = {480, 640}, StartWait wait = StartWait::kStartupOver);

  bool WaitFor(const std::function<bool()>& done) { return ProcessEventsUntil(done, kWalkWait); }
  // A list names itself by a message of its own once the navigation that showed it has set the
  // target's title, so a walk waits for the name rather than reading it at once.
  bool TitleBecomes(std::u16string_view wanted) {
    return WaitFor([&] { return terminal_->frame().title() == wanted; });
  }
  // True while screen is in front and no exchange holds the progress window.
  bool Shows(const QWidget* screen);
  // Moves the menu's selection to cell and presses Enter.
  void EnterMenuCell(int cell);
  // Taps cell of the six-cell toolbar along the bottom of a screen. (A tap found by painting on a
  // RecordingCanvas would lay the screen out in that canvas's metrics and page it anew.)
  void TapBarCell(Window& screen, int cell);
  // Taps the toolbar cell that opens a pop-up menu, answering it with command.
  void ChooseFromMenu(Window& screen, int cell, unsigned command);
  // Opens line (from 0) of the menu page in that mode by keys, once the page is in front.
  bool EnterMenuLine(int mode, int line);
  // How often the terminal sent exactly these request bytes since the last ForgetRequests.
  int TimesSent(const Bytes& request);
  // The message boxes asked so far with this caption.
  int TimesAsked(std::u16string_view caption) const;

  CStockListDlg& list() { return *terminal_->list_screen(); }
  CStockDetailDlg& detail() { return *terminal_->detail_screen(); }
  // The list in front with its rows in, as wanted, and no refresh under way whose progress
  // window would drop the next tap.
  bool ListShows(const std::function<bool(const ListQuery&, const ListView&)>& wanted);
  // The detail screen in front with the figures of code, its name in the title bar.
  bool DetailShows(const SecurityCode& code);
  // Opens code from outside any list, once no progress window would drop the navigation.
  bool OpenSecurity(const char* code);
  // "涨跌排行", then its first line, "沪深A股": true once at least three rows are in.
  bool OpenRankedShares();

  QtApp app_;
  TempFolder home_;
  TempFolder sim_folder_;
  ScriptedPrompter prompter_;
  std::unique_ptr<SimulatorProcess> simulator_;
  SimulatorPorts ports_;  // the simulator's own ports, behind the proxy
  std::unique_ptr<FaultProxy> proxy_;
  std::unique_ptr<Terminal> terminal_;
  bool ended_ = false;  // the terminal asked for the program to end
};

// A walk whose simulator and terminal are up before each test.
class StartedWalk : public TerminalWalk {
 protected:
  void SetUp() override;
  // Runs before the terminal starts: a test that needs its program folder prepared does it here.
  virtual void PrepareHome() {}
};

// Whether the screen, painted now, is dimmed and says how old its figures are ("12秒前", "3分钟前").
bool ShowsItsAge(Window& screen);
// A Configuration.ini in folder with the shortest refresh periods, so that figures age and screens
// retry within seconds.
void WriteShortPeriods(const std::filesystem::path& folder);

// The command of the entry with this text in a menu (or one of its sub-menus); 0 when none.
unsigned MenuCommand(const std::vector<MenuItem>& items, std::u16string_view text);

}  // namespace tarvello::testing
