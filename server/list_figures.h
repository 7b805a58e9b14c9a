// ListFigures: what the quote lists show and sort by for one security at one moment, in the
// row's decimal scale (a ratio of 1.23% is 123 with 2 decimals, 1230 with 3). Volumes are in
// lots, amounts in yuan. Plain value.
#pragma once

#include <cstdint>
#include <string>

namespace tarvello::server {

struct ListFigures {
  std::string code;
  std::u16string name;
  int decimals = 2;
  int latest = 0;
  int prev_close = 0;
  int high = 0;
  int low = 0;
  int change = 0;
  int change_ratio = 0;
  int turnover = 0;
  int speed = 0;              // change over the last five minutes, percent
  int pe = 0;                 // 0 without earnings
  int three_day_change = 0;   // change ratio against the close three trading days back
  int three_day_turnover = 0;
  std::int64_t volume = 0;
  std::int64_t amount = 0;
  int interest_change = 0;    // index futures: the day's open-interest change
  int open_interest = 0;
  std::u16string leader;      // sectors: the name of the member that rose most
  // The fund flow of the security's own fund flow answer: the net ratio of large orders over
  // 1, 3 and 10 days (percent) and the day's net amount in ten-thousands of yuan.
  int net_ratio_1 = 0;
  int net_ratio_3 = 0;
  int net_ratio_10 = 0;
  int net_amount = 0;
};

}  // namespace tarvello::server
