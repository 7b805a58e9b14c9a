// BrowseState: the current security and the list it was opened from, as the Navigator keeps them
// for every screen, and BrowseChange, what one navigation makes current. Any thread; one mutex
// guards both fields, so a step never sees the list of one screen with the current security of
// another.
#pragma once

#include <mutex>
#include <optional>
#include <vector>

#include "market/security_code.h"

namespace tarvello {

struct BrowseChange {
  enum class Source {
    kList,       // a row of a list: the list becomes the one stepped through
    kElsewhere,  // the code keyboard, a search, an alert: no list to step through
    kStep,       // "<" or ">": the next security of the list held, which stays
  };
  SecurityCode security;
  Source source = Source::kElsewhere;
  std::vector<SecurityCode> list;  // with kList

  static BrowseChange FromList(SecurityCode code, std::vector<SecurityCode> codes) {
    return {std::move(code), Source::kList, std::move(codes)};
  }
  static BrowseChange Alone(SecurityCode code) { return {std::move(code), Source::kElsewhere, {}}; }
  static BrowseChange Step(SecurityCode code) { return {std::move(code), Source::kStep, {}}; }
};

class BrowseState {
 public:
  SecurityCode Current() const;
  bool FromList() const;
  void Apply(const BrowseChange& change);
  // See Navigator::Neighbour.
  std::optional<SecurityCode> Neighbour(int step) const;

 private:
  mutable std::mutex mutex_;
  SecurityCode current_;              // guarded by mutex_
  std::vector<SecurityCode> list_;    // guarded by mutex_; empty when opened from elsewhere
};

}  // namespace tarvello
