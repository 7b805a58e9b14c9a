#include "server/market/session.h"

namespace tarvello::server {

namespace {

int Minutes(int hhmm) { return hhmm / 100 * 60 + hhmm % 100; }
int Hhmm(int minutes) { return minutes / 60 * 100 + minutes % 60; }

}  // namespace

int Session::SlotCount() const {
  return Minutes(close1_) - Minutes(open1_) + 1 + Minutes(close2_) - Minutes(open2_) + 1;
}

int Session::SlotTime(int slot) const {
  const int first = Minutes(close1_) - Minutes(open1_) + 1;
  if (slot < first) return Hhmm(Minutes(open1_) + slot);
  return Hhmm(Minutes(open2_) + slot - first);
}

int Session::MinutesIntoHalf(int slot, bool& afternoon) const {
  const int first = Minutes(close1_) - Minutes(open1_) + 1;
  afternoon = slot >= first;
  return afternoon ? slot - first : slot;
}

int Session::LastSlotOfHalf(int slot) const {
  const int first = Minutes(close1_) - Minutes(open1_) + 1;
  return slot < first ? first - 1 : SlotCount() - 1;
}

int Session::SlotsReached(int seconds_of_day) const {
  const int minute = seconds_of_day / 60;
  const int first = Minutes(close1_) - Minutes(open1_) + 1;
  if (minute < Minutes(open1_)) return 0;
  if (minute <= Minutes(close1_)) return minute - Minutes(open1_) + 1;
  if (minute < Minutes(open2_)) return first;
  if (minute <= Minutes(close2_)) return first + minute - Minutes(open2_) + 1;
  return SlotCount();
}

}  // namespace tarvello::server
