// Test support: a small market at a fixed moment with a clock that stands still, a request
// handler over it, and the decoding of answers with the terminal's own container parser.
#pragma once

#include <string>
#include <vector>

#include "protocol/block_reader.h"
#include "protocol/bytes.h"
#include "protocol/packet_codec.h"
#include "server/market/market.h"
#include "server/market/sim_clock.h"
#include "server/wire/accounts.h"
#include "server/wire/event_log.h"
#include "server/wire/request_handler.h"

namespace tarvello::server::testing {

struct Block {
  int type = 0;
  Bytes body;
};

// The blocks of an answer as the terminal's parser hands them over; `complete` says whether the
// container was read to its closing "}".
std::vector<Block> DecodeAnswer(const Bytes& answer, bool* complete = nullptr);

inline BlockReader Reader(const Block& block) { return BlockReader(block.body.data(), 0, block.body.size()); }

// The gateway request the terminal sends for a body, with its Content-Length unless told not to.
Bytes GatewayPost(const std::string& request_line, const Bytes& body, bool with_length = true);

class AnswerFixture {
 public:
  explicit AnswerFixture(const std::string& at = "2026-12-04 10:30", std::uint64_t seed = 7,
                         const std::string& latest_version = "V3.3");

  // Joins the packets into one request, answers it and decodes the answer.
  std::vector<Block> Ask(const std::vector<Bytes>& packets);
  Bytes RawAnswer(const std::vector<Bytes>& packets);
  Position PositionOf(const std::string& code) const;

  SimClock clock;
  const Market& market;  // shared by every fixture of the same moment and seed
  AccountBook accounts;
  EventLog log;
  RequestHandler handler;
  CPacketCodec codec;
};

}  // namespace tarvello::server::testing
