// The three requests of the index futures screen: the futures quote (3203), the newest ticks
// (3205) and the fund flow of one security (2109). Each goes out alone, not joined with other
// packets, and its answer is read as one plain block (futures/futures_answer.h). Pure, any
// thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "protocol/bytes.h"

namespace tarvello {

// Receive buffers of the three exchanges and of the security query.
inline constexpr std::size_t kFuturesQuoteAnswerCapacity = 4096;
inline constexpr std::size_t kFuturesTicksAnswerCapacity = 8192;
inline constexpr std::size_t kFundFlowAnswerCapacity = 8192;
inline constexpr std::size_t kSecurityFactsAnswerCapacity = 4096;

// code is the contract's request text (at most 30 bytes). The length field says 10 whatever the
// code's length, as the server frames this request by its code.
Bytes BuildFuturesQuoteRequest(std::string_view code);
// The newest `rows` ticks: the start field is -1 (from the newest tick).
Bytes BuildFuturesTicksRequest(std::string_view code, std::uint16_t rows);
Bytes BuildSecurityFundFlowRequest(std::string_view code);
// The security's description and trading hours (2200 and 2118 joined): the three answers above
// carry no name, and a contract's session is not the shares' one.
Bytes BuildSecurityFactsRequest(std::string_view code);

// The answer cache's keys: a view's answer ("futures 3 SH600001") and the security query's
// ("futures facts SH600001").
std::string FuturesCacheKey(int view, std::string_view code);
std::string SecurityFactsCacheKey(std::string_view code);

}  // namespace tarvello
