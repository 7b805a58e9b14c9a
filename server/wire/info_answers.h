// The answers of the information requests: the F10 texts (2600), the titles of securities
// (2901, one security or a list of them), of the market (2701), the categories (2700), the
// titles of the fetched list (2500) and the articles (2710). Requests are read with bounded
// readers: a request cut short or naming no share gets an empty list or no answer at all, never
// a crash. Pure functions of the market and the time; safe from any thread.
#pragma once

#include <optional>

#include "protocol/bytes.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/wire/request_parser.h"

namespace tarvello::server {

// The most titles one answer carries, whatever the request asks for.
inline constexpr int kMaxInfoTitles = 100;

// The body answering an information request; nothing for another type or a request that
// names nothing the server has.
std::optional<Bytes> InfoAnswer(const Market& market, const RequestPacket& packet, const SimTime& now);

}  // namespace tarvello::server
