#include "navigation/browse_state.h"

#include <algorithm>
#include <utility>

namespace tarvello {

SecurityCode BrowseState::Current() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return current_;
}

bool BrowseState::FromList() const {
  const std::lock_guard<std::mutex> lock(mutex_);
  return !list_.empty();
}

void BrowseState::Apply(const BrowseChange& change) {
  const std::lock_guard<std::mutex> lock(mutex_);
  current_ = change.security;
  switch (change.source) {
    case BrowseChange::Source::kList: list_ = change.list; break;
    case BrowseChange::Source::kElsewhere: list_.clear(); break;
    case BrowseChange::Source::kStep: break;
  }
}

std::optional<SecurityCode> BrowseState::Neighbour(int step) const {
  const std::lock_guard<std::mutex> lock(mutex_);
  const auto found = std::find(list_.begin(), list_.end(), current_);
  if (found == list_.end()) return std::nullopt;
  const auto size = static_cast<long long>(list_.size());
  const long long index = ((found - list_.begin() + step) % size + size) % size;
  return list_[static_cast<std::size_t>(index)];
}

}  // namespace tarvello
