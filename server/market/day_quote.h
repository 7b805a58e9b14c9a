// One trading day of one security as its daily bar knows it (reference price, open, close), and
// the dividends that lower a share's reference price on the morning they take effect. Plain
// values.
#pragma once

namespace tarvello::server {

struct DayQuote {
  int prev_close = 0;  // reference price of the day: the previous close, less a dividend on an ex-date
  int open = 0;
  int close = 0;
  int limit_percent = 10;  // 0: no daily limit
  bool suspended = false;  // no trade all day: open and close stand at the reference price
  int LimitUp() const { return limit_percent == 0 ? 0 : (prev_close * (100 + limit_percent) + 50) / 100; }
  int LimitDown() const { return limit_percent == 0 ? 0 : (prev_close * (100 - limit_percent) + 50) / 100; }
};

// A cash dividend taking effect before the opening of day_index.
struct CorporateEvent {
  int day_index = 0;
  int dividend = 0;   // cash per share, scaled price
  double factor = 1;  // the day's reference price over the previous day's close (< 1)
};

}  // namespace tarvello::server
