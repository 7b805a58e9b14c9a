// Framing what arrives at the simulator: joined packets on the quote port, with every proper prefix
// needing more and bad or oversized requests refused, and the gateway's HTTP post byte for byte.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "answer_fixture.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "server/network/gateway_framing.h"
#include "server/wire/request_parser.h"

namespace tarvello::server {
namespace {

TEST(RequestParserTest, SplitsJoinedPacketsPrefixesNeedMoreAFrameEndsItsContainerGarbageNever) {
  const CPacketCodec codec;
  const Bytes three = CPacketCodec::Join(
      std::vector<Bytes>{codec.BuildMinuteData("SH600001", 0), codec.BuildQuote("SH600001"), codec.BuildTicks("SH600001", 0)});
  const FrameResult joined = FrameRequest(three);
  ASSERT_EQ(joined.status, FrameStatus::kComplete);
  EXPECT_EQ(joined.consumed, three.size());
  ASSERT_EQ(joined.packets.size(), 3u);
  EXPECT_EQ(std::tuple(joined.packets[0].type, joined.packets[1].type, joined.packets[2].type),
            std::tuple(kMinuteData, kQuote, kTicks));
  EXPECT_EQ(joined.packets[2].body.size(), 2u + 8 + 4 + 2);
  for (std::size_t cut = 0; cut < three.size(); ++cut) {
    EXPECT_EQ(FrameRequest(std::span(three).first(cut)).status, FrameStatus::kNeedMore)
        << "cut at " << cut;
  }
  // A second container stays for the next round. The futures quote always says 10 in its length
  // field: it is framed by its code, so that a code of another length does not shift what follows.
  const Bytes probe = CPacketCodec().BuildServerProbe();
  Bytes two = CPacketCodec::Join(std::vector<Bytes>{WireWriter::Packet(3203, 0).Str("IF01").FinishPacket(10), probe});
  const std::size_t first = two.size();
  two.insert(two.end(), probe.begin(), probe.end());
  const FrameResult frame = FrameRequest(two);
  ASSERT_EQ(frame.status, FrameStatus::kComplete);
  EXPECT_EQ(frame.consumed, first);
  ASSERT_EQ(frame.packets.size(), 2u);
  EXPECT_EQ(frame.packets[0].body.size(), 6u);
  EXPECT_EQ(frame.packets[1].type, kServerProbe);
  const FrameResult next = FrameRequest(std::span(two).subspan(first));
  ASSERT_EQ(next.status, FrameStatus::kComplete);
  EXPECT_EQ(next.packets[0].type, kServerProbe);
  // Garbage, a bad separator, a packet announcing more body than the server buffers and too many
  // packets can never complete.
  Bytes bad_separator = CPacketCodec().BuildQuote("SH600001");
  bad_separator.back() = 'x';
  Bytes huge = {'{', 0xCB, 0x08, 0, 0, 0xFF, 0xFF};
  huge.resize(kMaxRequestBytes + 16, 'A');
  const std::vector<Bytes> many(kMaxRequestPackets + 1, CPacketCodec().BuildServerProbe());
  for (const Bytes& request : {Bytes{'G', 'E', 'T', ' '}, bad_separator, huge, CPacketCodec::Join(many)}) {
    EXPECT_EQ(FrameRequest(request).status, FrameStatus::kMalformed) << request.size();
  }
}

using testing::GatewayPost;

TEST(GatewayFramingTest, AcceptsTheTerminalsPostByteForByteAndRefusesOthers) {
  const Bytes body = CPacketCodec().BuildQuote("SH000001");
  const Bytes post = GatewayPost("POST  /sync  HTTP/1.1", body);
  const GatewayRequest request = ParseGatewayRequest(post);
  ASSERT_EQ(request.status, GatewayStatus::kComplete);
  EXPECT_EQ(Bytes(request.body.begin(), request.body.end()), body);
  for (std::size_t cut = 1; cut < post.size(); ++cut) {
    EXPECT_EQ(ParseGatewayRequest(std::span(post).first(cut)).status, GatewayStatus::kNeedMore) << cut;
  }
  // Other request lines, a missing or absurd length and an endless header are refused.
  const std::string too_long = "POST  /sync  HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n";
  Bytes endless(kMaxGatewayHeader + 10, 'a');
  const std::string line = "POST  /sync  HTTP/1.1\r\n";
  std::copy(line.begin(), line.end(), endless.begin());
  const Bytes refused[] = {GatewayPost("POST /sync HTTP/1.1", body),
                           GatewayPost("GET  /sync  HTTP/1.1", body),
                           GatewayPost("POST  /sync  HTTP/1.1", body, false),
                           Bytes(too_long.begin(), too_long.end()), endless};
  for (const Bytes& bad : refused) {
    EXPECT_EQ(ParseGatewayRequest(bad).status, GatewayStatus::kBad) << bad.size();
  }
}

}  // namespace
}  // namespace tarvello::server
