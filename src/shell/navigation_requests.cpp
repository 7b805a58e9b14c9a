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

NavigationRequest NavigationRequests::Begin(Request request) {
  if (request.change) browse_.Apply(*request.change);
  return RoutedRequest(request.navigation.target, request.navigation.argument);
}

}  // namespace tarvello
