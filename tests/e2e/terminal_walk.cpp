#include "terminal_walk.h"

#include <QCoreApplication>
#include <QMouseEvent>

#include <algorithm>

#include "base/program_folder.h"
#include "lists/list_codes.h"
#include "platform/recording_canvas.h"
#include "storage/utf16le.h"
#include "text/text_codec.h"

namespace tarvello::testing {

void Pen(QWidget& window, QEvent::Type type, int x, int y) {
  QMouseEvent event(type, QPointF(x, y), QPointF(x, y), Qt::LeftButton,
                    type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&window, &event);
}

void Tap(QWidget& window, Point at) {
  Pen(window, QEvent::MouseButtonPress, at.x, at.y);
  Pen(window, QEvent::MouseButtonRelease, at.x, at.y);
}

Point CentreOf(Window& screen, std::u16string_view text) {
  RecordingCanvas canvas(Size{screen.width(), screen.height()});
  screen.PaintOn(canvas);
  const std::optional<DrawCall> call = canvas.FindText(text);
  if (!call) return {-1, -1};
  return {(call->box.left + call->box.right) / 2, (call->box.top + call->box.bottom) / 2};
}

bool ShowsItsAge(Window& screen) {
  RecordingCanvas canvas(Size{screen.width(), screen.height()});
  screen.PaintOn(canvas);
  const std::vector<DrawCall> texts = canvas.CallsOf(DrawCall::Kind::kText);
  const bool aged = std::any_of(texts.begin(), texts.end(), [](const DrawCall& c) { return c.text.ends_with(u"前"); });
  return aged && !canvas.CallsOf(DrawCall::Kind::kDim).empty();
}

void WriteShortPeriods(const std::filesystem::path& folder) {
  WriteBytes(folder / "Configuration.ini",
             EncodeUtf16Le(text::FromUtf8("[REFRESH]\r\nLIST=5\r\nTSLINE=5\r\nKLLINE=5\r\n")));
}

void TerminalWalk::SetUp() {
  if (!FindBuiltProgram("tarvello-quoted")) GTEST_SKIP() << "the simulator is not built";
  InstallPrompter(&prompter_);
}

void StartedWalk::SetUp() {
  TerminalWalk::SetUp();
  if (IsSkipped()) return;
  PrepareHome();
  ASSERT_TRUE(StartSimulator());
  ASSERT_TRUE(StartTerminal());
}

void TerminalWalk::TearDown() {
  terminal_.reset();
  InstallPrompter(nullptr);
  SetProgramFolder(".");
}

bool TerminalWalk::StartSimulator(const std::vector<std::string>& extra_args) {
  simulator_ = std::make_unique<SimulatorProcess>(sim_folder_.path(), SimulatorPorts{}, extra_args);
  const std::optional<SimulatorPorts> ports = simulator_->WaitForPorts();
  if (!ports) return false;
  ports_ = *ports;
  proxy_ = std::make_unique<FaultProxy>(ports->quote);
  WriteDeploymentFor(home_.path(), {proxy_->port(), ports->gateway, ports->info});
  return true;
}

bool TerminalWalk::StartTerminal(Size screen, StartWait wait) {
  terminal_.reset();
  SetProgramFolder(home_.path().string());
  terminal_ = std::make_unique<Terminal>(home_.path(), screen, [this] { ended_ = true; });
  terminal_->Start();
  // The walks start from a finished start-up unless told otherwise: its login and version check
  // run behind the menu.
  const auto started = [&] {
    const CDlgMain* main = terminal_->main_screen();
    return main != nullptr && (wait == StartWait::kMenu ? main->menu_shown() : main->startup_over());
  };
  if (WaitFor(started)) return true;
  terminal_.reset();
  return false;
}

bool TerminalWalk::Shows(const QWidget* screen) {
  return screen != nullptr && terminal_->frame().current_screen() == screen && !terminal_->Busy();
}

void TerminalWalk::EnterMenuCell(int cell) {
  CDlgMain& main = *terminal_->main_screen();
  while (main.selected_cell() != cell) main.SendKey(kKeyRight);
  main.SendKey(kKeyEnter);
}

void TerminalWalk::TapBarCell(Window& screen, int cell) {
  constexpr int kCells = 6;
  Tap(screen, {cell * screen.width() / kCells + screen.width() / (2 * kCells), screen.height() - 4});
}

void TerminalWalk::ChooseFromMenu(Window& screen, int cell, unsigned command) {
  prompter_.QueueMenuChoice(command);
  TapBarCell(screen, cell);
}

bool TerminalWalk::EnterMenuLine(int mode, int line) {
  CStockRangeDlg& page = *terminal_->menu_page();
  if (!WaitFor([&] { return Shows(&page) && page.state().mode() == mode; })) return false;
  for (int i = 0; i < line; ++i) page.SendKey(kKeyDown);
  page.SendKey(kKeyEnter);
  return true;
}

bool TerminalWalk::ListShows(const std::function<bool(const ListQuery&, const ListView&)>& wanted) {
  return WaitFor([&] {
    return Shows(&list()) && !list().busy() && list().view()->loaded && wanted(list().query(), *list().view());
  });
}

bool TerminalWalk::DetailShows(const SecurityCode& code) {
  return WaitFor([&] {
    const auto view = detail().view();
    return Shows(&detail()) && !detail().busy() && view->loaded && view->code == code &&
           terminal_->frame().title() == view->records.security.name;
  });
}

bool TerminalWalk::OpenSecurity(const char* code) {
  const SecurityCode security = SecurityCode::FromAscii(code);
  if (!WaitFor([&] { return !terminal_->Busy(); })) return false;
  terminal_->OpenSecurity(security);
  return DetailShows(security);
}

bool TerminalWalk::OpenRankedShares() {
  constexpr int kCellRankings = 4;
  constexpr int kRankingsPage = 0;
  EnterMenuCell(kCellRankings);
  return EnterMenuLine(kRankingsPage, 0) && ListShows([](const ListQuery& q, const ListView& v) {
           return q.mode == kModeCategory && v.rows.quotes.size() >= 3;
         });
}

int TerminalWalk::TimesSent(const Bytes& request) {
  const std::string sent = proxy_->Requests();
  const std::string wanted(request.begin(), request.end());
  int times = 0;
  for (std::size_t at = sent.find(wanted); at != std::string::npos; at = sent.find(wanted, at + wanted.size())) ++times;
  return times;
}

int TerminalWalk::TimesAsked(std::u16string_view caption) const {
  const std::vector<Prompt>& asked = prompter_.asked();
  return static_cast<int>(std::count_if(asked.begin(), asked.end(), [&](const Prompt& prompt) {
    return prompt.kind == Prompt::Kind::kMessageBox && prompt.caption == caption;
  }));
}

unsigned MenuCommand(const std::vector<MenuItem>& items, std::u16string_view text) {
  for (const MenuItem& item : items) {
    if (item.text == text && item.submenu.empty()) return item.command;
    if (const unsigned inner = MenuCommand(item.submenu, text); inner != 0) return inner;
  }
  return 0;
}

}  // namespace tarvello::testing
