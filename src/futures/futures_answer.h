// Readers of the index futures screen's three answers, and of the security query it sends once
// per security for the name and trading hours. Each answer is one plain block read in
// place: its body starts after the 7 bytes "{", type, attribute and length, and ends where the
// length field or the received bytes end, whichever comes first. An answer of 8 bytes or less,
// or one that does not start with "{", holds nothing.
//
// Counts and fields come from the server and are trusted only as far as the bytes go. Pure, any
// thread.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "futures/futures_records.h"
#include "market/futures_quote.h"
#include "market/quote_records.h"
#include "market/security_code.h"

namespace tarvello {

// True with the quote read; false, leaving quote as it was, when the answer is too short for
// its fifteen fields.
bool ReadFuturesQuoteAnswer(std::span<const std::uint8_t> answer, FuturesQuote& quote);

// True when the answer's header (position, reference price, count) was read. The position is
// taken then; the ticks and their reference price are replaced only when at least one whole
// record arrived, newest first. A record cut off by the end of the answer is dropped.
bool ReadFuturesTicksAnswer(std::span<const std::uint8_t> answer, FuturesTicks& ticks);

// The fund flow the answer carries; none when it is too short or its decimals are beyond what an
// int32 amount can be divided by.
std::optional<SecurityFundFlow> ReadSecurityFundFlowAnswer(std::span<const std::uint8_t> answer);

// What the security query's container says about code: the name of its first 2200 block that
// describes code (empty when none does) and the session of its 2118 block (zero when none came).
// None when no answer came or it did not read to its end, so that the query is asked again.
struct SecurityFacts {
  std::u16string name;
  TradingHours hours;
};
std::optional<SecurityFacts> ReadSecurityFactsAnswer(std::span<const std::uint8_t> answer, const SecurityCode& code);

}  // namespace tarvello
