#include "shell/main_dlg.h"

#include <QPointer>
#include <algorithm>
#include <string>

#include "base/text_metrics.h"
#include "market/display_colours.h"
#include "market/ticker_cells.h"
#include "platform/address_opener.h"
#include "platform/canvas.h"
#include "platform/device_frame.h"
#include "shell/progress_dlg.h"
#include "shell/ticker_marquee.h"
#include "traffic/traffic_meter.h"

namespace tarvello {
namespace {

constexpr ColorRef kHighlight = 0x8C4A1E;  // the selected cell's band
constexpr int kUpdateCheckTicks = 7;
// The index takes the left three fifths of the ticker bar, the running line the rest.
constexpr int kIndexShareFifths = 3;

std::optional<KeypadMove> MoveOfKey(KeyCode key) {
  switch (key) {
    case kKeyLeft: return KeypadMove::kLeft;
    case kKeyRight: return KeypadMove::kRight;
    case kKeyUp: return KeypadMove::kUp;
    case kKeyDown: return KeypadMove::kDown;
    default: return std::nullopt;
  }
}

}  // namespace

CDlgMain::CDlgMain(MainScreenParts parts, QWidget* parent) : Window(parent), parts_(std::move(parts)) {
  for (int cell = 0; cell < kMenuCells; ++cell) {
    menu_pictures_[cell] = Picture::Load("Picture/Menu" + std::to_string(cell) + ".png");
  }
  if (parts_.frame != nullptr) keyboard_ = std::make_unique<CDlgKeyBoard>(*this, parts_.frame);
}

CDlgMain::~CDlgMain() { StopThreads(); }

void CDlgMain::StopThreads() {
  ticker_stop_.Close();
  for (std::jthread* thread : {&startup_thread_, &ticker_thread_}) {
    thread->request_stop();
  }
  if (parts_.cancel_exchange) parts_.cancel_exchange();
  for (std::jthread* thread : {&startup_thread_, &ticker_thread_}) {
    if (thread->joinable()) thread->join();
  }
}

void CDlgMain::RegisterScreen(int target, ScreenOpener opener) { screens_[target] = std::move(opener); }

void CDlgMain::Start() {
  CDlgFlag& progress = *parts_.progress;
  QWidget* frame = progress.parentWidget();
  int bar = SharedTextMetrics().BarHeight();
  progress.setGeometry(0, (frame->height() - bar) / 2, frame->width(), bar);
  progress.SetForm(ProgressForm::kStartup);
  progress.SetText(u"正在初始化网络...");
  progress.show();
  progress.raise();
  startup_thread_ = std::jthread([this](std::stop_token stop) { RunStartup(stop); });
}

// The menu shows once a connection exists; a silent server would otherwise keep it away for as
// long as the probe, the login, the version check and the registration take to time out.
void CDlgMain::RunStartup(std::stop_token stop) {
  bool connected = parts_.network_startup();
  if (stop.stop_requested()) return;
  PostMessage(kMsgStartupDone, connected ? 1 : 0, 0);
  if (!connected) return;
  if (parts_.choose_server) parts_.choose_server();
  if (stop.stop_requested()) return;
  RunLogin(stop);
  if (stop.stop_requested()) return;
  parts_.register_device();
  if (stop.stop_requested()) return;
  parts_.allow_redial();
  PostMessage(kMsgStartupOver, 0, 0);
}

void CDlgMain::RunLogin(std::stop_token stop) {
  LoginAnswer answer = RunStartupLogin(parts_.exchange, parts_.folder, parts_.login_placeholder);
  if (answer.serial && running_.Offer(*answer.serial, answer.message)) PostMessage(kMsgTickerRepaint, 1, 0);
  if (parts_.session) parts_.session->SetRights(answer.rights);
  if (parts_.after_login && !stop.stop_requested()) parts_.after_login();
}

void CDlgMain::ShowMenu() {
  parts_.progress->hide();
  Rect client = ClientRect();
  int rows_height = TickerBar().top;
  int width = client.Width() / kMenuColumns;
  int height = rows_height / (kMenuCells / kMenuColumns);
  for (int cell = 0; cell < kMenuCells; ++cell) {
    int column = cell % kMenuColumns;
    int row = cell / kMenuColumns;
    cells_[cell] = Rect{column * width, row * height, (column + 1) * width, (row + 1) * height};
  }
  menu_shown_ = true;
  ticker_thread_ = std::jthread([this] {
    do {
      ticker_.Refresh(parts_.exchange, parts_.log);
      PostMessage(kMsgTickerRepaint, 0, 0);
    } while (!ticker_stop_.SleepUnlessClosed(kTickerPeriod * TrafficPeriodFactor()));
  });
  SetTimer(kTimerUpdateCheck, 200);
  // The running line is a strip of its own, so that its moving repaints nothing else.
  marquee_ = std::make_unique<CTickerMarqueeDlg>([this] { return MarqueeText(kWelcomeText, running_.Text()); },
                                                 toolbar_, this);
  marquee_->Place(MarqueeStrip(), TickerBar());
  marquee_->show();
  SoftKeysChanged();
  Invalidate();
}

void CDlgMain::OnTimer(unsigned id) {
  switch (id) {
    case kTimerMenu:
      KillTimer(kTimerMenu);
      ShowMenu();
      break;
    case kTimerBusyStrip:
      KillTimer(kTimerBusyStrip);
      if (busy_) ShowBusyStrip();
      break;
    case kTimerUpdateCheck:
      if (++update_ticks_ >= kUpdateCheckTicks) {
        KillTimer(kTimerUpdateCheck);
        OfferStartupUpdate();
      }
      break;
    default:
      break;
  }
}

void CDlgMain::OnMessage(const Message& message) {
  switch (message.id) {
    case kMsgStartupDone:
      if (message.wparam == 1) {
        SetTimer(kTimerMenu, 10);
      } else {
        parts_.progress->hide();  // the start dialog comes back; the strip must not run on behind it
        End(MainResult::kCancel);
      }
      break;
    case kMsgStartupOver:
      startup_over_ = true;
      if (parts_.on_startup_over) parts_.on_startup_over();
      // A version check answered after the menu's update check asks now.
      if (update_ticks_ >= kUpdateCheckTicks) OfferStartupUpdate();
      break;
    case kMsgNavigate:
      RequestNavigation({NavigationRequest{static_cast<int>(message.wparam), static_cast<int>(message.lparam)}, {}});
      break;
    case kMsgNavigateWithSecurity:
      if (std::optional<NavigationRequests::Request> request = requests_.TakeAsked()) RequestNavigation(std::move(*request));
      break;
    case kMsgProgress:
      SetBusy(message.wparam == kBusyShow);
      break;
    case kMsgTickerRepaint:
      // Only the bar changed: the icons and the background stay as they are. The screen in front
      // draws a ticker strip of its own, so it hears that the ticker moved too.
      Invalidate(TickerBar());
      if (Window* front = parts_.frame ? parts_.frame->current_screen() : nullptr; front != nullptr && front != this) {
        front->PostMessage(message.id, message.wparam, message.lparam);
      }
      break;
    case kMsgKeyboard:
      if (message.wparam == kKeyboardShortSpell) {
        ShowKeyboard(reinterpret_cast<ShortSpellReceiver*>(message.lparam), u"");
      } else if (keyboard_ && keyboard_->isVisible()) {
        keyboard_->Hide();
      } else {
        ShowKeyboard(nullptr, u"");
      }
      break;
    default:
      break;
  }
}

void CDlgMain::GoTo(int target, int argument, BrowseChange change) {
  requests_.Ask({NavigationRequest{target, argument}, std::move(change)});
  PostMessage(kMsgNavigateWithSecurity, 0, 0);
}

bool CDlgMain::Navigating() const { return busy_ || !parts_.progress->isHidden(); }

// A request while the progress window shows is dropped whole, with the security it brings: the
// screens that ask for one on their own (a search's single result, a ranking row's typed
// opening) ask only once their worker has hidden the window.
void CDlgMain::RequestNavigation(NavigationRequests::Request request) {
  if (Navigating()) return;
  // The text of the progress window the new screen's first exchange shows.
  parts_.progress->SetText(u"获取数据中，请稍后...");
  const NavigationRequest step = requests_.Begin(std::move(request));
  // The step runs at once, already behind the events queued before the request: a timer, a
  // worker thread or the progress window shown and hidden around it only stood between a tap
  // and its screen.
  NavigateNow(step.target, step.argument);
}

// The keyboard sits across the screen area above the two bars along its bottom (the data
// screens' ticker strip with the keyboard spot, and their toolbar), so the spot that hides it
// stays in reach.
void CDlgMain::ShowKeyboard(ShortSpellReceiver* receiver, std::u16string_view typed) {
  if (!keyboard_) return;
  const Rect area = parts_.frame->ScreenArea();
  const int bottom = std::max(area.top + CDlgKeyBoard::HeightNeeded(), area.bottom - 2 * SharedTextMetrics().BarHeight());
  keyboard_->setGeometry(area.left, bottom - CDlgKeyBoard::HeightNeeded(), area.Width(), CDlgKeyBoard::HeightNeeded());
  keyboard_->Show(receiver);
  if (!typed.empty()) keyboard_->SendKey(typed.front());
}

void CDlgMain::NavigateNow(int target, int argument) {
  if (keyboard_) keyboard_->Hide();
  Window* screen = nullptr;
  const auto found = screens_.find(target);
  if (target == kTargetMainMenu) {
    screen = this;
  } else if (found != screens_.end()) {
    screen = found->second(argument);
  }
  if (screen != nullptr) {
    parts_.frame->ShowScreen(screen);
    if (std::optional<std::u16string> title = NavigationTitle(target, argument)) {
      parts_.frame->SetTitle(*title);
    }
  }
  SetBusy(false);
  // The screen now in front is drawn afresh with today's ticker; a repaint of its own, since a
  // ticker message would reach it only after its first paint and draw it a second time.
  if (screen != nullptr) screen->Invalidate();
  if (target != kTargetMainMenu && found == screens_.end()) SayNotAvailable(target, argument);
}

// A target whose screen is not part of the program yet: the user hears so instead of nothing.
void CDlgMain::SayNotAvailable(int target, int argument) {
  std::u16string text(kNotAvailable);
  std::optional<std::u16string> title = NavigationTitle(target, argument);
  if (title && !title->empty()) text = u"“" + *title + u"”" + text;
  ActivePrompter().MessageBox(text, u"提示", PromptButtons::kOk);
}

// The update the start-up version check found, asked about once; Yes, or a compulsory update,
// opens the download page and ends the program.
void CDlgMain::OfferStartupUpdate() {
  if (parts_.session == nullptr) return;
  const std::optional<StartupUpdate> update = parts_.session->TakeUnaskedUpdate();
  if (!update) return;
  const bool yes = ActivePrompter().MessageBox(update->question, u"更新", PromptButtons::kYesNo) == PromptAnswer::kYes;
  if (!yes && !update->compulsory) return;
  if (!update->address.empty()) ActiveAddressOpener().Open(update->address);
  End(MainResult::kOk);
}

// The busy state holds navigation at once; the strip itself comes up only once the exchange has
// run for kBusyStripDelay.
void CDlgMain::SetBusy(bool busy) {
  busy_ = busy;
  if (!busy) {
    KillTimer(kTimerBusyStrip);
    parts_.progress->hide();
  } else if (parts_.progress->isHidden()) {
    SetTimer(kTimerBusyStrip, static_cast<unsigned>(kBusyStripDelay.count()));
  } else {
    ShowBusyStrip();
  }
}

void CDlgMain::ShowBusyStrip() {
  CDlgFlag& progress = *parts_.progress;
  Rect area = parts_.frame->ScreenArea();
  int bar = SharedTextMetrics().BarHeight();
  progress.SetForm(ProgressForm::kBusy);
  progress.setGeometry(area.left, area.bottom - bar, area.Width(), bar);
  progress.show();
  progress.raise();
}

Rect CDlgMain::TickerBar() const {
  Rect client = ClientRect();
  return Rect{client.left, client.bottom - SharedTextMetrics().BarHeight(), client.right, client.bottom};
}

void CDlgMain::OnPaint(Canvas& canvas) {
  canvas.DrawPicture(background_, ClientRect());
  if (!menu_shown_) {
    canvas.DrawPicture(logo_, LogoBox());
    return;
  }
  for (int cell = 0; cell < kMenuCells; ++cell) PaintCell(canvas, cell);
  PaintTicker(canvas);
}

// The icon, as large a square as fits above one text line, and under it the label.
void CDlgMain::PaintCell(Canvas& canvas, int cell) {
  const Rect& box = cells_[cell];
  if (cell == selected_) canvas.FillRect(box, kHighlight);
  const int line = SharedTextMetrics().LineHeight();
  const int pad = std::max(2, line / 6);
  const Rect label{box.left, box.bottom - line - pad, box.right, box.bottom - pad};
  const int side = std::max(0, std::min(box.Width(), label.top - box.top) - 2 * pad);
  const int left = box.left + (box.Width() - side) / 2;
  const int top = box.top + pad + (label.top - box.top - 2 * pad - side) / 2;
  canvas.DrawPicture(menu_pictures_[cell], Rect{left, top, left + side, top + side});
  canvas.SetTextColor(kWhite);
  canvas.DrawText(MenuCellLabel(cell), label, kTextCenter | kTextVCenter | kTextSingleLine);
}

// The logo while the program starts: three quarters of the width in the picture's proportions
// (16:5), standing one text line above the progress strip across the middle of the screen.
Rect CDlgMain::LogoBox() const {
  const Rect client = ClientRect();
  const int width = client.Width() * 3 / 4;
  const int height = width * 5 / 16;
  const int bottom = client.Height() / 2 - SharedTextMetrics().BarHeight() / 2 - SharedTextMetrics().LineHeight();
  const int left = client.left + (client.Width() - width) / 2;
  return Rect{left, std::max(client.top, bottom - height), left + width, bottom};
}

void CDlgMain::PaintTicker(Canvas& canvas) {
  Rect bar = TickerBar();
  canvas.FillRect(bar, kTickerBarBack);
  canvas.DrawPicture(toolbar_, bar);
  const int split = bar.left + bar.Width() * kIndexShareFifths / 5;
  PaintIndex(canvas, Rect{bar.left, bar.top, split, bar.bottom});
}

// The running line's strip: the bar's right part, from one character width after the index.
Rect CDlgMain::MarqueeStrip() const {
  const Rect bar = TickerBar();
  const int split = bar.left + bar.Width() * kIndexShareFifths / 5;
  return Rect{split + SharedTextMetrics().average_char_width, bar.top, bar.right, bar.bottom};
}

// One index at a time, alternating with the blink bit: label, value, change and change percent,
// the label in a narrow cell and the figures in wider ones (widths 1:2:2:2).
void CDlgMain::PaintIndex(Canvas& canvas, const Rect& area) {
  if (const std::u16string notice = parts_.connection_notice ? parts_.connection_notice() : u""; !notice.empty()) {
    canvas.SetTextColor(kPlainWhite);
    canvas.DrawText(notice, area, kTextCenter | kTextVCenter | kTextSingleLine);
    return;
  }
  const TickerCells cells = TickerCellsFor(ticker_.Get());
  const std::u16string* texts[] = {&cells.label, &cells.value, &cells.change, &cells.percent};
  const int edges[] = {0, 1, 3, 5, 7};
  for (int i = 0; i < 4; ++i) {
    canvas.SetTextColor(i == 0 ? cells.labelColour : cells.colour);
    Rect box{area.left + area.Width() * edges[i] / 7, area.top,
             area.left + area.Width() * edges[i + 1] / 7, area.bottom};
    canvas.DrawText(*texts[i], box, kTextCenter | kTextVCenter | kTextSingleLine);
  }
}

SoftKeyCaptions CDlgMain::SoftKeys() const {
  return SoftKeyCaptions{menu_shown_ ? u"进入" : u"", u"退出"};
}

void CDlgMain::OnKeyDown(KeyCode key) {
  if (key == kKeyBack || key == kKeySoftRight) {
    AskExit();
    return;
  }
  if (!menu_shown_) return;
  if (std::optional<KeypadMove> move = MoveOfKey(key)) {
    selected_ = MoveMenuSelection(selected_, *move);
    Invalidate();
  } else if (key == kKeyEnter || key == kKeySoftLeft) {
    NavigationRequest request = MenuCellTarget(selected_);
    PostMessage(kMsgNavigate, request.target, request.argument);
  } else if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
    // A digit or a letter opens the code keyboard with that character typed.
    const char16_t typed = static_cast<char16_t>(key);
    if (keyboard_ && keyboard_->isVisible()) {
      keyboard_->SendKey(key);
    } else {
      ShowKeyboard(nullptr, std::u16string_view(&typed, 1));
    }
  }
}

void CDlgMain::OnPenDown(Point at) {
  if (!menu_shown_) return;
  for (int cell = 0; cell < kMenuCells; ++cell) {
    if (!cells_[cell].Contains(at)) continue;
    selected_ = cell;
    Invalidate();
    NavigationRequest request = MenuCellTarget(cell);
    PostMessage(kMsgNavigate, request.target, request.argument);
    return;
  }
}

// The question waits in an event loop of its own, where a start-up that fails meanwhile ends this
// screen and the terminal destroys it; a Yes then still reaches the terminal, never a dead screen.
void CDlgMain::AskExit() {
  const QPointer<CDlgMain> alive(this);
  const std::function<void(MainResult)> on_end = parts_.on_end;
  if (ActivePrompter().MessageBox(kExitQuestion, u"Tarvello", PromptButtons::kYesNo) != PromptAnswer::kYes) return;
  if (alive) {
    End(MainResult::kOk);
  } else if (on_end) {
    on_end(MainResult::kOk);
  }
}

void CDlgMain::End(MainResult result) {
  if (ended_) return;
  ended_ = true;
  if (parts_.on_end) parts_.on_end(result);
}

}  // namespace tarvello
