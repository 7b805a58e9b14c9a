// Answer rows written the way the quote server writes them, for the list tests.
#pragma once

#include <string>
#include <vector>

#include "protocol/container_writer.h"
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

}  // namespace tarvello::testing
