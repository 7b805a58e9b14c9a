// AlertMarks: the securities whose alert has fired and that the user has not opened since. The
// quote lists draw their names marked; opening a security's detail screen clears its mark. Kept
// for the run of the program only.
//
// Thread rules: safe from any thread (the background check marks on its worker, the lists read
// while they paint, the detail screen clears on the user-interface thread).
#pragma once

#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "market/display_colours.h"
#include "market/security_code.h"

namespace tarvello {

// How a list row draws a marked name: a star before it, on a dark red band.
inline constexpr ColorRef kAlertMarkBand = 0x000080;
std::u16string MarkedName(std::u16string_view name);

class AlertMarks {
 public:
  // The one set of the process that every screen and the check share.
  static AlertMarks& Shared();

  void Mark(const SecurityCode& code);
  void Clear(const SecurityCode& code);
  void ClearAll();
  bool IsMarked(const SecurityCode& code) const;

 private:
  mutable std::mutex mutex_;
  std::vector<SecurityCode> codes_;  // guarded by mutex_; at most one alert book's worth
};

}  // namespace tarvello
