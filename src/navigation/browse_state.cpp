#include "navigation/browse_state.h"

#include <algorithm>
#include <utility>

namespace tarvello {

SecurityCode BrowseState::Current() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return current_;
}

void BrowseState::SetCurrent(const SecurityCode& code) {
  const std::lock_guard<std::mutex> lock(mutex_);
  current_ = code;
}

void BrowseState::SetList(std::vector<SecurityCode> codes) {
  const std::lock_guard<std::mutex> lock(mutex_);
  list_ = std::move(codes);
}

std::optional<SecurityCode> BrowseState::Step(int step) {
  const std::lock_guard<std::mutex> lock(mutex_);
  const auto found = std::find(list_.begin(), list_.end(), current_);
  if (found == list_.end()) return std::nullopt;
  const auto size = static_cast<long long>(list_.size());
  const long long index = ((found - list_.begin() + step) % size + size) % size;
  current_ = list_[static_cast<std::size_t>(index)];
  return current_;
}

}  // namespace tarvello
