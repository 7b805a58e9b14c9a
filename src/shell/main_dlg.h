// CDlgMain: the main screen. It stays in the device frame for the whole run: it brings the
// network up on its start-up thread and shows the twelve-cell menu with the index ticker and the
// running line along its bottom edge as soon as a connection exists; the start-up's exchanges
// (server probe, login, version check, registration) go on behind it and take effect when their
// answers come. It moves the user between screens.
// Other screens plug into its screen table by target id; a target without a screen says so in a
// message box. It is the Navigator the other screens are given: they reach each other only
// through it.
//
// What it needs from the rest of the program comes in MainScreenParts, so that tests run it
// against scripted exchanges and steps.
//
// Threads: the start-up thread (once) and the ticker thread (3-second cycle). They only post
// messages, set timers and touch the thread-safe records (IndexTicker, RunningMessage); everything
// else, navigation included, runs on the user-interface thread. The destructor stops and joins all of them before anything they use
// goes away.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "base/thread_queue.h"
#include "platform/picture.h"
#include "navigation/navigator.h"
#include "platform/window.h"
#include "protocol/exchange_function.h"
#include "protocol/refresh_worker.h"
#include "market/index_ticker.h"
#include "shell/code_keyboard_dlg.h"
#include "settings/account_session.h"
#include "shell/menu_cells.h"
#include "shell/navigation_requests.h"
#include "shell/startup_login.h"
#include "shell/ticker_marquee_dlg.h"

namespace tarvello {

class CDlgFlag;
class CommLog;
class DeviceFrame;

// How the main screen ended: OK after the user confirmed the exit, cancel when the network could
// not be brought up.
enum class MainResult { kOk, kCancel };

struct MainScreenParts {
  DeviceFrame* frame = nullptr;  // shows the title and the screen in front
  CDlgFlag* progress = nullptr;  // the shared progress window
  ExchangeFunction exchange;     // login and ticker exchanges
  CommLog* log = nullptr;
  std::filesystem::path folder;  // holds Configuration.ini
  std::u16string login_placeholder;
  // Start-up thread steps: bring the network up (true on success; the menu shows then), choose and
  // connect to the quote server, log in (with after_login), register the device, then let later
  // connection losses offer a redial.
  std::function<bool()> network_startup;
  std::function<void()> choose_server;  // may be empty
  std::function<void()> register_device;
  std::function<void()> allow_redial;
  // Wakes an exchange in progress, so that stopping never waits for a network timeout.
  std::function<void()> cancel_exchange;
  // The run's account record: the start-up login's rights word goes there, and the update the
  // start-up version check found comes from there. May be null.
  AccountSession* session = nullptr;
  // Runs on the start-up thread after the login (the version check).
  std::function<void()> after_login;
  // The word about the connection ("连接中断" while no server answers), drawn in place of the
  // index in the ticker bar so that old figures never look live; empty while all is well. Called
  // on the user-interface thread while painting. May be empty.
  std::function<std::u16string()> connection_notice;
  // Called once on the user-interface thread when the start-up's exchanges are over (work that
  // must not compete with them begins here). May be empty.
  std::function<void()> on_startup_over;
  // Called once on the user-interface thread when the screen ends.
  std::function<void(MainResult)> on_end;
};

// Brings a target's screen to the front for an argument; returns the screen, or null when the
// target has nothing to show for it.
using ScreenOpener = std::function<Window*(int argument)>;

class CDlgMain : public Window, public Navigator {
 public:
  static constexpr unsigned kTimerMenu = 256;
  static constexpr unsigned kTimerUpdateCheck = 65536;
  static constexpr unsigned kTimerBusyStrip = 257;
  // A screen's quick exchange never puts the progress strip up: its show, paint and hide would
  // only cost time and flicker over the answer.
  static constexpr std::chrono::milliseconds kBusyStripDelay = RefreshWorker::kQuickAnswer;
  // Shows or hides the code keyboard: kKeyboardToggle, or kKeyboardShortSpell with the receiver.
  static constexpr int kMsgKeyboard = 2042;
  // A navigation that brings a security: the next of the requests asked of requests_.
  static constexpr int kMsgNavigateWithSecurity = 2043;
  // From the start-up thread: its exchanges are over.
  static constexpr int kMsgStartupOver = 2044;
  static constexpr std::intptr_t kKeyboardToggle = 0;
  static constexpr std::intptr_t kKeyboardShortSpell = 1;
  static constexpr std::chrono::milliseconds kTickerPeriod{3000};
  static constexpr std::u16string_view kExitQuestion = u"确认要退出Tarvello金融终端手机版吗？";
  static constexpr std::u16string_view kWelcomeText = u"欢迎使用Tarvello金融终端手机版";
  static constexpr std::u16string_view kNotAvailable = u"该功能尚未开通";

  explicit CDlgMain(MainScreenParts parts, QWidget* parent = nullptr);
  ~CDlgMain() override;

  // Places the progress window and starts the start-up thread.
  void Start();
  void RegisterScreen(int target, ScreenOpener opener);
  // Asks whether to leave the program and ends the screen on Yes: the exit key, the soft key and
  // the window's close button all come here.
  void AskExit();

  int selected_cell() const { return selected_; }
  // Empty until the menu is shown.
  const std::array<Rect, kMenuCells>& menu_cells() const { return cells_; }
  bool menu_shown() const { return menu_shown_; }
  // True once the start-up's exchanges behind the menu are over.
  bool startup_over() const { return startup_over_; }
  TickerState ticker() const { return ticker_.Get(); }
  std::u16string running_message() const { return running_.Text(); }

  void GoTo(int target, int argument) override { PostMessage(kMsgNavigate, target, argument); }
  void GoTo(int target, int argument, BrowseChange change) override;
  // True while a screen's exchange with the progress window runs (whether or not its strip is up
  // yet) and while the window shows for anything else.
  bool Navigating() const override;
  SecurityCode CurrentSecurity() const override { return requests_.browse().Current(); }
  bool OpenedFromList() const override { return requests_.browse().FromList(); }
  std::optional<SecurityCode> Neighbour(int step) const override { return requests_.browse().Neighbour(step); }
  // Both post to the user-interface thread, where the keyboard is shown or hidden.
  void ToggleKeyboard() override { PostMessage(kMsgKeyboard, kKeyboardToggle, 0); }
  void AskShortSpell(ShortSpellReceiver& receiver) override {
    PostMessage(kMsgKeyboard, kKeyboardShortSpell, reinterpret_cast<std::intptr_t>(&receiver));
  }
  // The one code keyboard; null without a frame to show it in.
  CDlgKeyBoard* keyboard() { return keyboard_.get(); }
  SoftKeyCaptions SoftKeys() const override;

 protected:
  void OnMessage(const Message& message) override;
  void OnTimer(unsigned id) override;
  void OnPaint(Canvas& canvas) override;
  void OnKeyDown(KeyCode key) override;
  void OnPenDown(Point at) override;

 private:
  void RunStartup(std::stop_token stop);
  void RunLogin(std::stop_token stop);
  void ShowMenu();
  void RequestNavigation(NavigationRequests::Request request);
  void NavigateNow(int target, int argument);
  void SetBusy(bool busy);
  void ShowBusyStrip();
  void SayNotAvailable(int target, int argument);
  void OfferStartupUpdate();
  void End(MainResult result);
  void StopThreads();
  Rect TickerBar() const;
  void PaintTicker(Canvas& canvas);
  void PaintIndex(Canvas& canvas, const Rect& area);
  Rect MarqueeStrip() const;
  void PaintCell(Canvas& canvas, int cell);
  Rect LogoBox() const;
  void ShowKeyboard(ShortSpellReceiver* receiver, std::u16string_view typed);

  const MainScreenParts parts_;
  std::map<int, ScreenOpener> screens_;  // target id -> opener
  std::array<Picture, kMenuCells> menu_pictures_;
  Picture background_ = Picture::Load("Picture/back.jpg");
  Picture logo_ = Picture::Load("Picture/Log.JPG");         // shown while the program starts
  Picture toolbar_ = Picture::Load("Picture/TOOLBAR.bmp");  // under the ticker strip
  std::array<Rect, kMenuCells> cells_{};
  bool menu_shown_ = false;
  bool busy_ = false;  // a screen's exchange asked for the progress window and has not ended
  bool startup_over_ = false;
  bool ended_ = false;
  int selected_ = 0;
  int update_ticks_ = 0;
  NavigationRequests requests_;  // one asked per kMsgNavigateWithSecurity posted
  IndexTicker ticker_;
  RunningMessage running_;
  std::unique_ptr<CDlgKeyBoard> keyboard_;
  std::unique_ptr<CTickerMarqueeDlg> marquee_;  // the running line, once the menu shows
  ThreadQueue ticker_stop_;  // closed to stop the ticker thread
  // Last, so that they are joined before anything they use is destroyed.
  std::jthread startup_thread_;
  std::jthread ticker_thread_;
};

}  // namespace tarvello
