// The records of the index futures screen: which of its three views it shows, the ticks of a
// contract (block 3205) and the fund flow of one security (block 2109). Plain values, zero or
// empty until filled; the screen's worker fills fresh ones and hands them over whole.
#pragma once

#include <cstdint>
#include <vector>

namespace tarvello {

// The screen's view, chosen by the target it was opened with (1142, 1143, 1149).
enum FuturesView : int {
  kViewQuotePanel = 1,
  kViewTicks = 2,
  kViewFundFlow = 3,
};

// One trade of a contract. time is HHMMSS as a decimal number, price times 100; tickType is the
// server's classification (opening, closing or switching of positions), direction 0 none, 1 down,
// 2 up.
struct FuturesTick {
  std::int32_t time = 0;
  std::int32_t price = 0;
  std::int32_t size = 0;
  std::int32_t interestChange = 0;
  std::uint8_t tickType = 0;
  std::uint8_t direction = 0;
  friend bool operator==(const FuturesTick&, const FuturesTick&) = default;
};

// The shown ticks, newest first (the reverse of their wire order), with the reference price they
// are coloured against and the position value the server returned with them.
struct FuturesTicks {
  std::int32_t position = 0;
  std::int32_t referencePrice = 0;
  std::vector<FuturesTick> ticks;
};

// The money flow of one security. Amounts are in ten thousands of yuan, already divided by
// 10^decimals; ratios are percent times 10^decimals. ratio5, position5 and otherAmount's meaning
// beyond the pie are the server's; ratio5 and position5 are kept but not shown.
struct SecurityFundFlow {
  std::uint8_t decimals = 2;
  std::int32_t ratioToday = 0;
  std::int32_t ratio3Days = 0;
  std::int32_t ratio5 = 0;
  std::int32_t ratio10Days = 0;
  std::int32_t largeIn = 0;
  std::int32_t mediumIn = 0;
  std::int32_t smallIn = 0;
  std::int32_t largeOut = 0;
  std::int32_t mediumOut = 0;
  std::int32_t smallOut = 0;
  std::int32_t otherAmount = 0;
  std::int32_t positionToday = 0;
  std::int32_t position3Days = 0;
  std::int32_t position5 = 0;
  std::int32_t position10Days = 0;

  std::int64_t TotalIn() const { return std::int64_t{largeIn} + mediumIn + smallIn; }
  std::int64_t TotalOut() const { return std::int64_t{largeOut} + mediumOut + smallOut; }
  friend bool operator==(const SecurityFundFlow&, const SecurityFundFlow&) = default;
};

}  // namespace tarvello
