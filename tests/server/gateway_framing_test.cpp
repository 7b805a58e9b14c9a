#include "server/gateway_framing.h"

#include <gtest/gtest.h>

#include <string>

#include "protocol/packet_codec.h"

namespace tarvello::server {
namespace {

Bytes Post(const std::string& request_line, const Bytes& body, bool with_length = true) {
  std::string header = request_line + "\r\nHost:127.0.0.1:2860\r\n"
                       "Accept: www/source; text/html; image/gif; image/png; image/jpeg; */*\r\n"
                       "Content-type: application/octet-stream\r\n";
  if (with_length) header += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  header += "\r\n";
  Bytes bytes(header.begin(), header.end());
  bytes.insert(bytes.end(), body.begin(), body.end());
  return bytes;
}

TEST(GatewayFramingTest, AcceptsTheTerminalsPostByteForByte) {
  const Bytes body = CPacketCodec().BuildQuote("SH000001");
  const Bytes post = Post("POST  /sync  HTTP/1.1", body);
  const GatewayRequest request = ParseGatewayRequest(post);
  ASSERT_EQ(request.status, GatewayStatus::kComplete);
  EXPECT_EQ(Bytes(request.body.begin(), request.body.end()), body);
  for (std::size_t cut = 1; cut < post.size(); ++cut) {
    EXPECT_EQ(ParseGatewayRequest(std::span(post).first(cut)).status, GatewayStatus::kNeedMore) << cut;
  }
}

TEST(GatewayFramingTest, RejectsOtherRequestLinesAndMissingLengths) {
  const Bytes body = CPacketCodec().BuildServerProbe();
  EXPECT_EQ(ParseGatewayRequest(Post("POST /sync HTTP/1.1", body)).status, GatewayStatus::kBad);
  EXPECT_EQ(ParseGatewayRequest(Post("GET  /sync  HTTP/1.1", body)).status, GatewayStatus::kBad);
  EXPECT_EQ(ParseGatewayRequest(Post("POST  /sync  HTTP/1.1", body, false)).status, GatewayStatus::kBad);
  const std::string too_long = "POST  /sync  HTTP/1.1\r\nContent-Length: 99999999\r\n\r\n";
  EXPECT_EQ(ParseGatewayRequest(Bytes(too_long.begin(), too_long.end())).status, GatewayStatus::kBad);
  Bytes endless(kMaxGatewayHeader + 10, 'a');
  const std::string line = "POST  /sync  HTTP/1.1\r\n";
  std::copy(line.begin(), line.end(), endless.begin());
  EXPECT_EQ(ParseGatewayRequest(endless).status, GatewayStatus::kBad);
}

TEST(GatewayFramingTest, ReplyCarriesTheContainerWithItsLength) {
  const Bytes container = {'{', 0, 0, 0, 0, 0, 0, '}'};
  const Bytes reply = GatewayReply(container);
  const std::string text(reply.begin(), reply.end());
  EXPECT_EQ(text.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  EXPECT_NE(text.find("\r\nContent-Length: 8\r\n\r\n"), std::string::npos);
  EXPECT_EQ(Bytes(reply.end() - 8, reply.end()), container);
}

}  // namespace
}  // namespace tarvello::server
