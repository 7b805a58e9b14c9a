// Answer rows written the way the quote server writes them, for the list tests, and a scripted
// market of shares SH600000 on that answers the list requests with them.
#pragma once

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "protocol/block_reader.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello::testing {

struct StockWire {
  std::u16string code = u"SH600001";
  std::u16string name = u"Alpha";
  std::uint8_t decimals = 2;
  std::int32_t latest = 1020, changeRatio = 200, change = 20, turnover = 150, volume = 5000, high = 1030, low = 990,
               speed = 10, pe = 2500;
};

inline void WriteStock(WireWriter& w, const StockWire& s) {
  w.Utf8(s.code).Utf8(s.name).U8(s.decimals).U8(0).I32(s.latest).I32(s.changeRatio).I32(s.change).I32(s.turnover);
  w.I32(s.volume).I32(s.high).I32(s.low).I32(s.speed).I32(s.pe).I32(0);
}

// A 2113 or 2114 block of stock rows and its trailing count.
inline Bytes StockBlock(const std::vector<StockWire>& rows, std::uint16_t total) {
  WireWriter w;
  w.I16(static_cast<std::int16_t>(rows.size()));
  for (const StockWire& row : rows) WriteStock(w, row);
  w.U16(total);
  return w.Take();
}

inline Bytes Container(int type, const Bytes& body) {
  ContainerWriter writer;
  writer.Add(type, body);
  return writer.Finish();
}

// The code of share i of the scripted market: SH600000 + i.
inline std::u16string MarketCode(int i) {
  const std::string digits = std::to_string(600000 + i);
  return u"SH" + std::u16string(digits.begin(), digits.end());
}

// Share i of the scripted market, named "N" and its last four digits: share 0 has not traded,
// share 1 traded flat, the rest alternate between a rise and a fall.
inline StockWire MarketRow(int i) {
  StockWire row;
  row.code = MarketCode(i);
  row.name = u"N" + row.code.substr(4);
  row.change = i < 2 ? 0 : (i % 2 ? 15 : -15);
  row.changeRatio = row.change * 10;
  row.latest = 1000 + row.change;
  row.volume = i == 0 ? 0 : 500;
  return row;
}

inline constexpr int kMarketShares = 41;

inline int U16At(const Bytes& r, std::size_t at) { return r[at] | r[at + 1] << 8; }

// The share a code names, or -1 outside the market.
inline int ShareOf(std::string_view code) {
  int number = 0;
  if (code.size() != 8 || std::from_chars(code.data() + 2, code.data() + 8, number).ptr != code.data() + 8) return -1;
  const int i = number - 600000;
  return i >= 0 && i < kMarketShares ? i : -1;
}

// Answers 2113 category pages (selector 1) and code lists (selector 2) and the security query
// 2200, which knows no code outside the market.
inline Bytes MarketAnswer(const Bytes& r) {
  if (r.size() < 16) return {};
  BlockReader body(r.data(), 7, r.size());
  if (U16At(r, 1) == kSecurityInfo) {
    const int i = ShareOf(body.RawString());
    if (i < 0) return Bytes{'{', '}'};
    const StockWire row = MarketRow(i);
    return Container(kSecurityInfo,
                     WireWriter().Utf8(row.code).Utf8(row.name).U8(1).U8(2).I32(100).I32(0).I32(0).Take());
  }
  std::vector<StockWire> rows;
  if (r[7] == 1) {
    const int start = U16At(r, 11);
    for (int i = start; i < std::min(kMarketShares, start + U16At(r, 13)); ++i) rows.push_back(MarketRow(i));
  } else {
    body.Skip(9);
    for (int n = U16At(r, 14); n > 0 && !body.overrun(); --n) {
      const int i = ShareOf(body.RawString());
      if (i >= 0) rows.push_back(MarketRow(i));
    }
  }
  return Container(kCategoryList, StockBlock(rows, kMarketShares));
}

}  // namespace tarvello::testing
