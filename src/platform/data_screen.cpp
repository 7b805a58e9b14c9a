#include "platform/data_screen.h"

#include <QTimer>

#include "market/display_colours.h"
#include "platform/canvas.h"
#include "platform/keys.h"
#include "market/freshness.h"

namespace tarvello {

DataScreen::DataScreen(unsigned timer_id, std::chrono::milliseconds period, Window* main_screen,
                       QWidget* parent)
    : Window(parent),
      timer_id_(timer_id),
      main_screen_(main_screen),
      worker_(*this, timer_id, period) {}

DataScreen::~DataScreen() { StopRefreshing(); }

void DataScreen::StopRefreshing() { worker_.Stop(); }

void DataScreen::RequestRefresh(bool show_busy) {
  KillTimer(timer_id_);
  worker_.Start();  // the first request starts it, once the derived screen is complete
  worker_.Request(show_busy);
}

bool DataScreen::PaintHeld() const {
  return awaiting_answer_ && std::chrono::steady_clock::now() - shown_at_ < RefreshWorker::kQuickAnswer;
}

// The held paint comes when the answer repaints the screen, when the exchange fails, or at the
// end of the wait.
void DataScreen::showEvent(QShowEvent* event) {
  awaiting_answer_ = busy();
  shown_at_ = std::chrono::steady_clock::now();
  if (awaiting_answer_) {
    QTimer::singleShot(RefreshWorker::kQuickAnswer, this, [this] {
      if (!Painted()) Invalidate();
    });
  }
  Window::showEvent(event);
}

void DataScreen::OnTimer(unsigned id) {
  if (id != timer_id_) return;
  if (StaleAgeNow() != shown_age_) Invalidate();  // a failed exchange repaints nothing itself
  if (RefreshesOnTick()) RequestRefresh(false);
}

std::optional<std::u16string> DataScreen::StaleAgeNow() const {
  const std::optional<std::chrono::steady_clock::time_point> last = worker_.last_answer();
  if (cached_ && (!last || *last < cached_shown_at_)) {
    return AgeText(std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now() - *cached_));
  }
  if (!last) return std::nullopt;
  const auto age = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - *last);
  return StaleAge(age, worker_.period(), InTradingHours(MarketTimeNow()));
}

void PaintFiguresAge(Canvas& canvas, const Rect& area, std::u16string_view age) {
  canvas.Dim(area);
  canvas.SetTextColor(kFlatGrey);
  canvas.DrawText(age, {area.left, area.top, area.right - 2, area.top + canvas.Metrics().LineHeight()},
                  kTextRight | kTextSingleLine);
}

void DataScreen::OnPaintOver(Canvas& canvas) {
  shown_age_ = StaleAgeNow();
  if (shown_age_) PaintFiguresAge(canvas, ClientRect(), *shown_age_);
}

bool DataScreen::RefreshesOnTick() const { return isVisible() && !worker_.busy(); }

void DataScreen::PostToMainScreen(const Message& message) {
  if (main_screen_ != nullptr) main_screen_->PostMessage(message.id, message.wparam, message.lparam);
}

bool DataScreen::TakeMenuOrBackKey(KeyCode key) {
  if (key == kKeySoftLeft) {
    ShowScreenMenu();
  } else if (key == kKeySoftRight || key == kKeyBack) {
    GoBack();
  } else {
    return false;
  }
  return true;
}

std::optional<CacheEntry> DataScreen::FindCached(std::string_view key) const {
  if (cache_ == nullptr) return std::nullopt;
  return cache_->Find(key);
}

void DataScreen::KeepAnswer(std::string_view key, const Bytes& answer) {
  if (cache_ != nullptr) cache_->Put(key, answer, std::chrono::system_clock::now());
}

void DataScreen::ShowCachedSince(std::optional<std::chrono::system_clock::time_point> moment) {
  cached_ = moment;
  cached_shown_at_ = std::chrono::steady_clock::now();
  Invalidate();
}

// What the answer changes outside the screen (the frame's title) is changed before the screen's
// paint, so that one pass draws both; changed in the paint, it would draw the frame once more.
void DataScreen::InvalidateScreen() {
  awaiting_answer_ = false;
  InvalidateAfter([this] { AnswerArrived(); });
}

void DataScreen::ExchangeEnded() {
  if (awaiting_answer_.exchange(false)) Invalidate();
  for (const Message& message : after_exchange_) PostMessageWhileShown(message, hidden_as_exchange_began_);
  after_exchange_.clear();
}

}  // namespace tarvello
