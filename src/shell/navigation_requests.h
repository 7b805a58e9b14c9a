// NavigationRequests: the main screen's account of the navigations asked of it. A request that
// brings a security (a row of a list, a step to the next security, a worker's answer that opens a
// screen) may be asked from any thread; it waits in order until the user-interface thread takes
// it, one for each message posted, so none is lost on the way. The security and the list a request
// brings become current only when its navigation begins, so that a request dropped while another
// navigation ran changes nothing.
//
// Threads: Ask, TakeAsked and browse() from any thread; Begin on the user-interface thread.
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
  // The navigation about to run, routed to its screen's own target (RoutedRequest); the security
  // and the list it brings become current.
  NavigationRequest Begin(Request request);
  const BrowseState& browse() const { return browse_; }

 private:
  std::mutex asked_mutex_;
  std::deque<Request> asked_;  // guarded by asked_mutex_
  BrowseState browse_;
};

}  // namespace tarvello
