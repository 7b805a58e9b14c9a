// NavigationRequests: the main screen's account of the navigations asked of it. A request that
// brings a security (a row of a list, a step to the next security, a worker's answer that opens a
// screen) may be asked from any thread; it waits in order until the user-interface thread takes
// it, one for each message posted, so none is lost on the way. The request a navigation runs is
// held until its step runs: the security and the list it brings become current then, and only
// when the step is the one held, so that a request dropped while another navigation ran changes
// nothing.
//
// Threads: Ask, TakeAsked and browse() from any thread; Hold and Arrive on the user-interface
// thread.
#pragma once

#include <deque>
#include <mutex>
#include <optional>

#include "navigation/browse_state.h"
#include "navigation/navigation.h"

namespace tarvello {

class NavigationRequests {
 public:
  struct Request {
    NavigationRequest navigation;
    std::optional<BrowseChange> change;  // applied when the navigation runs
  };

  void Ask(Request request);
  std::optional<Request> TakeAsked();
  // The navigation about to run, routed to its screen's own target (RoutedRequest).
  void Hold(Request request);
  const NavigationRequest& held() const { return held_.navigation; }
  // A step runs: the held request's security becomes current when it is this step.
  void Arrive(const NavigationRequest& step);
  const BrowseState& browse() const { return browse_; }

 private:
  std::mutex asked_mutex_;
  std::deque<Request> asked_;  // guarded by asked_mutex_
  Request held_;
  BrowseState browse_;
};

}  // namespace tarvello
