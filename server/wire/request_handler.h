// RequestHandler: turns the packets of one request container into the answer container, one
// block per packet in request order (the login adds the running message, the version answer
// the notices). Packets of unknown types, or naming an unknown security, get no block. Blocks
// that stay the same within a minute slot come from the shared answer cache; the lists and the
// fund flow views read the figures of the whole market from the handler's board. Every count
// read from a request is bounded. Safe from any thread; the market, clock, accounts and log
// must outlive it.
#pragma once

#include <span>
#include <string>

#include "protocol/bytes.h"
#include "protocol/container_writer.h"
#include "server/figures/figures_board.h"
#include "server/market/kline_series.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/wire/accounts.h"
#include "server/wire/answer_cache.h"
#include "server/wire/event_log.h"
#include "server/wire/list_answers.h"
#include "server/wire/request_parser.h"

namespace tarvello::server {

inline constexpr std::size_t kCompressThreshold = 512;

struct HandlerSettings {
  std::string latest_version = "V3.3";
  std::size_t cache_entries = 20000;
};

class RequestHandler {
 public:
  RequestHandler(const Market& market, const SimClock& clock, const AccountBook& accounts, EventLog& log,
                 HandlerSettings settings = {});

  // Builds, before the ports open, what the first answers need: the levels of the indices and
  // sectors over the years, and the figures of the whole market at the clock's minute; then
  // leaves each next minute's figures to be built aside. Without it they are built on demand.
  void Prepare();

  Bytes Answer(std::span<const RequestPacket> packets);
  const AnswerCache& cache() const { return shared_; }

 private:
  void AnswerPacket(const RequestPacket& packet, const SimTime& now, ContainerWriter& out);
  void AnswerSecurity(const RequestPacket& packet, const SimTime& now, ContainerWriter& out);
  void Log(const char* what, const RequestPacket& packet);

  const Market& market_;
  const SimClock& clock_;
  const AccountBook& accounts_;
  EventLog& log_;
  const HandlerSettings settings_;
  KLineSeries klines_;
  FiguresBoard board_;
  ListAnswers lists_;
  AnswerCache shared_;  // blocks the terminal may receive compressed
  AnswerCache plain_;   // blocks some screens read in place: never compressed
};

}  // namespace tarvello::server
