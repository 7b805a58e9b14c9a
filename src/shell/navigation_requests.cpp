#include "shell/navigation_requests.h"

#include <utility>

namespace tarvello {

void NavigationRequests::Ask(Request request) {
  const std::lock_guard<std::mutex> lock(asked_mutex_);
  asked_.push_back(std::move(request));
}

std::optional<NavigationRequests::Request> NavigationRequests::TakeAsked() {
  const std::lock_guard<std::mutex> lock(asked_mutex_);
  if (asked_.empty()) return std::nullopt;
  Request request = std::move(asked_.front());
  asked_.pop_front();
  return request;
}

void NavigationRequests::Hold(Request request) {
  request.navigation = RoutedRequest(request.navigation.target, request.navigation.argument);
  held_ = std::move(request);
}

void NavigationRequests::Arrive(const NavigationRequest& step) {
  if (held_.change && held_.navigation == step) browse_.Apply(*held_.change);
  held_.change.reset();
}

}  // namespace tarvello
