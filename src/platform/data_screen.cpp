#include "platform/data_screen.h"

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

void DataScreen::OnTimer(unsigned id) {
  if (id == timer_id_ && RefreshesOnTick()) RequestRefresh(false);
}

bool DataScreen::RefreshesOnTick() const { return isVisible() && !worker_.busy(); }

void DataScreen::PostToMainScreen(const Message& message) {
  if (main_screen_ != nullptr) main_screen_->PostMessage(message.id, message.wparam, message.lparam);
}

}  // namespace tarvello
