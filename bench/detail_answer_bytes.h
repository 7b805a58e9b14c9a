// The answer a quote server gives to the detail screen's request for share SH600001 with a full
// day of minutes (242), for the detail benchmarks.
#pragma once

#include "protocol/bytes.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"

namespace tarvello::bench {

inline constexpr int kMinutes = 242;

inline Bytes FullDayDetailAnswer() {
  ContainerWriter writer;
  WireWriter minute;
  minute.Utf8(u"SH600001").Utf8(u"Name").I32(0).I32(kMinutes * 100).I32(0).U8(0).U8(0).I32(kMinutes).I16(kMinutes);
  for (int i = 0; i < kMinutes; ++i) {
    const int time = 9 * 60 + 30 + i;
    const int price = 10000 + (i * 37 % 200) - 100;
    minute.I32(time / 60 * 100 + time % 60).I32(price).I32(100 * (i + 1) + i * i % 300).I32(10000 + i % 50).I32(0);
  }
  minute.I16(kMinutes);
  writer.Add(kMinuteData, minute.Take());
  WireWriter book;
  book.I32(0).I16(10);
  for (int i = 0; i < 10; ++i) book.I32(1005 - i).I32(10 + i);
  writer.Add(kOrderBook, book.Take());
  WireWriter quote;
  quote.I32(1010).I32(0).I32(kMinutes * 100).I32(1015).I32(985).I32(1000).I32(1000).I32(100000);
  for (int i = 0; i < 6; ++i) quote.I32(0);
  writer.Add(kQuote, quote.Take());
  WireWriter info;
  info.Utf8(u"SH600001").Utf8(u"Name").U8(1).U8(2).I32(0).I32(1100).I32(900);
  writer.Add(kSecurityInfo, info.Take());
  return writer.Finish();
}

}  // namespace tarvello::bench
