// The trading sessions of a kind of security: the minute slots of a day (09:30-11:30 and
// 13:00-15:00 give 242 slots, both ends counted), the HHMM of each slot, and how many slots
// have been reached at a time of day. Immutable; safe from any thread.
#pragma once

namespace tarvello::server {

class Session {
 public:
  // Two sessions, each given by its first and last minute in HHMM.
  constexpr Session(int open1, int close1, int open2, int close2)
      : open1_(open1), close1_(close1), open2_(open2), close2_(close2) {}

  int SlotCount() const;
  int SlotTime(int slot) const;  // HHMM
  // Slots traded by a time of day (seconds since midnight): 0 before the opening minute, the
  // slot count after the close; a slot counts from its own minute on.
  int SlotsReached(int seconds_of_day) const;
  // Minutes since the opening of the slot's own half of the day; `afternoon` says which half.
  int MinutesIntoHalf(int slot, bool& afternoon) const;
  // The last slot of the slot's own half of the day.
  int LastSlotOfHalf(int slot) const;
  int open() const { return open1_; }
  int close() const { return close2_; }

 private:
  int open1_, close1_, open2_, close2_;
};

inline constexpr Session kStockSession{930, 1130, 1300, 1500};
inline constexpr Session kFuturesSession{915, 1130, 1300, 1515};
inline constexpr Session kHongKongSession{930, 1200, 1330, 1600};

}  // namespace tarvello::server
