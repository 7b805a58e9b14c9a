#include "server/gateway_framing.h"

#include <gtest/gtest.h>

#include <string>

#include "answer_fixture.h"
#include "protocol/packet_codec.h"

namespace tarvello::server {
namespace {

using testing::GatewayPost;

TEST(GatewayFramingTest, AcceptsTheTerminalsPostByteForByte) {
  const Bytes body = CPacketCodec().BuildQuote("SH000001");
  const Bytes post = GatewayPost("POST  /sync  HTTP/1.1", body);
  const GatewayRequest request = ParseGatewayRequest(post);
  ASSERT_EQ(request.status, GatewayStatus::kComplete);
  EXPECT_EQ(Bytes(request.body.begin(), request.body.end()), body);
  for (std::size_t cut = 1; cut < post.size(); ++cut) {
    EXPECT_EQ(ParseGatewayRequest(std::span(post).first(cut)).status, GatewayStatus::kNeedMore) << cut;
  }
}

TEST(GatewayFramingTest, RejectsOtherRequestLinesAndMissingLengths) {
  const Bytes body = CPacketCodec().BuildServerProbe();
  EXPECT_EQ(ParseGatewayRequest(GatewayPost("POST /sync HTTP/1.1", body)).status, GatewayStatus::kBad);
  EXPECT_EQ(ParseGatewayRequest(GatewayPost("GET  /sync  HTTP/1.1", body)).status, GatewayStatus::kBad);
  EXPECT_EQ(ParseGatewayRequest(GatewayPost("POST  /sync  HTTP/1.1", body, false)).status, GatewayStatus::kBad);
  const std::string too_long = "POST  /sync  HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n";
  EXPECT_EQ(ParseGatewayRequest(Bytes(too_long.begin(), too_long.end())).status, GatewayStatus::kBad);
  Bytes endless(kMaxGatewayHeader + 10, 'a');
  const std::string line = "POST  /sync  HTTP/1.1\r\n";
  std::copy(line.begin(), line.end(), endless.begin());
  EXPECT_EQ(ParseGatewayRequest(endless).status, GatewayStatus::kBad);
}

}  // namespace
}  // namespace tarvello::server
