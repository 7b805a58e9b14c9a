#include "market/alert_marks.h"

#include <algorithm>

namespace tarvello {

std::u16string MarkedName(std::u16string_view name) { return u"★" + std::u16string(name); }

AlertMarks& AlertMarks::Shared() {
  static AlertMarks marks;
  return marks;
}

void AlertMarks::Mark(const SecurityCode& code) {
  const std::lock_guard<std::mutex> guard(mutex_);
  if (std::find(codes_.begin(), codes_.end(), code) == codes_.end()) codes_.push_back(code);
}

void AlertMarks::Clear(const SecurityCode& code) {
  const std::lock_guard<std::mutex> guard(mutex_);
  std::erase(codes_, code);
}

void AlertMarks::ClearAll() {
  const std::lock_guard<std::mutex> guard(mutex_);
  codes_.clear();
}

bool AlertMarks::IsMarked(const SecurityCode& code) const {
  const std::lock_guard<std::mutex> guard(mutex_);
  return std::find(codes_.begin(), codes_.end(), code) != codes_.end();
}

}  // namespace tarvello
