#include "settings/account_session.h"

#include <utility>

namespace tarvello {

void AccountSession::SetRights(std::optional<std::int32_t> rights) {
  const std::lock_guard<std::mutex> lock(mutex_);
  rights_ = rights;
}

std::optional<std::int32_t> AccountSession::rights() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return rights_;
}

void AccountSession::SetAccountValue(std::optional<std::int32_t> value) {
  const std::lock_guard<std::mutex> lock(mutex_);
  account_value_ = value;
}

std::optional<std::int32_t> AccountSession::account_value() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return account_value_;
}

void AccountSession::OfferUpdate(StartupUpdate update) {
  const std::lock_guard<std::mutex> lock(mutex_);
  update_ = std::move(update);
}

std::optional<StartupUpdate> AccountSession::TakeUnaskedUpdate() {
  const std::lock_guard<std::mutex> lock(mutex_);
  std::optional<StartupUpdate> offer = std::move(update_);
  update_.reset();
  return offer;
}

void AccountSession::SetNotices(std::array<std::u16string, kNoticeKinds> texts, int counted) {
  const std::lock_guard<std::mutex> lock(mutex_);
  notices_ = std::move(texts);
  counted_notices_ = counted;
}

std::array<std::u16string, kNoticeKinds> AccountSession::notices() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return notices_;
}

int AccountSession::counted_notices() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return counted_notices_;
}

}  // namespace tarvello
