// The security search (request 2000): the securities whose code starts with the typed text (with
// or without the market prefix), whose name contains it, or whose name initials start with it, in
// upper or lower case. At most one page of results goes back: exact codes first, then the rest;
// among either, shares, funds, bonds, warrants, indices and the rest, each kind in code order. An empty text,
// or one nothing matches, gets an answer with no items. Request text arrives in GBK. Pure
// function; safe from any thread.
#pragma once

#include <string_view>

#include "protocol/bytes.h"
#include "server/market/market.h"

namespace tarvello::server {

inline constexpr int kMaxSearchResults = 20;

Bytes SearchBody(const Market& market, std::string_view text_gbk);

}  // namespace tarvello::server
