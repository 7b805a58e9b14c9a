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
#include "server/accounts.h"
#include "server/answer_cache.h"
#include "server/event_log.h"
#include "server/figures_board.h"
#include "server/kline_series.h"
#include "server/list_answers.h"
#include "server/market.h"
#include "server/request_parser.h"
#include "server/sim_clock.h"

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
