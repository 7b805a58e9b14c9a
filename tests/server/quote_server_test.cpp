// The front ends over real loopback sockets: the gateway's one exchange per connection and its
// proxy GET, a garbage-sending client beside a good one, and the stop. (A lasting quote connection
// serving exchange after exchange is what every end-to-end walk runs on.)
#include "server/network/quote_server.h"

#include <gtest/gtest.h>

#include <asio.hpp>
#include <string>
#include <thread>

#include "answer_fixture.h"
#include "answer_socket.h"
#include "server/site/info_site.h"

namespace tarvello::server::testing {
namespace {

using asio::ip::tcp;

class QuoteServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_ = std::make_unique<QuoteServer>(fixture_.handler, Endpoints{"127.0.0.1", 0, 0, 0},
                                            InfoSite(fixture_.market, fixture_.clock));
    std::string error;
    ASSERT_TRUE(server_->Open(error)) << error;
    runner_ = std::thread([this] { server_->Run(2, false); });
  }
  void TearDown() override {
    server_->Stop();
    runner_.join();
  }

  static bool ClosedByPeer(tcp::socket& socket) {
    std::uint8_t byte = 0;
    asio::error_code error;
    socket.read_some(asio::buffer(&byte, 1), error);
    return error == asio::error::eof || error == asio::error::connection_reset;
  }

  Bytes DetailRequest() {
    CPacketCodec& c = fixture_.codec;
    const std::vector<Bytes> packets = {c.BuildMinuteData("SH600001", 0), c.BuildQuote("SH600001"),
                                        c.BuildTenLevelBook("SH600001"), c.BuildSecurityInfo("SH600001")};
    return CPacketCodec::Join(packets);
  }

  AnswerFixture fixture_;
  std::unique_ptr<QuoteServer> server_;
  std::thread runner_;
  asio::io_context io_;
};

TEST_F(QuoteServerTest, GatewayAnswersOneExchangeAndCloses) {
  tcp::socket client = ConnectLoopback(io_, server_->gateway_port());
  const Bytes body = DetailRequest();
  asio::write(client, asio::buffer(GatewayPost("POST  /sync  HTTP/1.1", body)));
  std::string reply;
  asio::error_code error;
  asio::read(client, asio::dynamic_buffer(reply), error);
  EXPECT_EQ(error, asio::error::eof);
  ASSERT_EQ(reply.rfind("HTTP/1.1 200 OK\r\n", 0), 0u);
  const std::size_t end = reply.find("\r\n\r\n");
  ASSERT_NE(end, std::string::npos);
  const Bytes container(reply.begin() + static_cast<std::ptrdiff_t>(end + 4), reply.end());
  EXPECT_NE(reply.find("Content-Length: " + std::to_string(container.size()) + "\r\n"), std::string::npos);
  bool complete = false;
  EXPECT_EQ(DecodeAnswer(container, &complete).size(), 4u);
  EXPECT_TRUE(complete);
}

// In WAP mode the gateway is the terminal's HTTP proxy: a GET in the absolute form a client sends
// its proxy is answered from the information site, in pieces or whole.
TEST_F(QuoteServerTest, GatewayAnswersAProxyGetFromTheInformationSite) {
  const struct {
    std::string request;
    std::string status;
    std::string body_part;
  } cases[] = {
      {"GET http://127.0.0.1:8081/wap/index.wml HTTP/1.0\r\nHost: 127.0.0.1:8081\r\n\r\n", "200 OK", "<card"},
      {"GET http://127.0.0.1:8081/wap/none.wml HTTP/1.0\r\n\r\n", "404 Not Found", ""},
      {"GET nowhere HTTP/1.0\r\n\r\n", "400 Bad Request", ""},
  };
  for (const auto& c : cases) {
    tcp::socket client = ConnectLoopback(io_, server_->gateway_port());
    asio::write(client, asio::buffer(c.request.data(), 2));
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    asio::write(client, asio::buffer(c.request.data() + 2, c.request.size() - 2));
    std::string reply;
    asio::error_code end;
    asio::read(client, asio::dynamic_buffer(reply), end);
    EXPECT_EQ(reply.rfind("HTTP/1.1 " + c.status + "\r\n", 0), 0u) << c.request << reply.substr(0, 40);
    EXPECT_NE(reply.find(c.body_part), std::string::npos) << c.request;
  }
}

TEST_F(QuoteServerTest, GarbageClientIsClosedWithoutDisturbingAnotherAndStopClosesEveryConnection) {
  tcp::socket good = ConnectLoopback(io_, server_->quote_port());
  tcp::socket bad = ConnectLoopback(io_, server_->quote_port());
  const std::string garbage = "GET / HTTP/1.0\r\n\r\n";
  asio::write(bad, asio::buffer(garbage));
  EXPECT_TRUE(ClosedByPeer(bad));
  const Bytes request = DetailRequest();
  asio::write(good, asio::buffer(request));
  EXPECT_EQ(DecodeAnswer(ReadWholeAnswer(good)).size(), 4u);
  // A silent half-sent request on a third connection does not hold the good one up either.
  tcp::socket stalled = ConnectLoopback(io_, server_->quote_port());
  asio::write(stalled, asio::buffer(request.data(), request.size() / 2));
  asio::write(good, asio::buffer(request));
  EXPECT_EQ(DecodeAnswer(ReadWholeAnswer(good)).size(), 4u);
  tcp::socket client = ConnectLoopback(io_, server_->quote_port());
  const Bytes probe = fixture_.codec.BuildServerProbe();
  asio::write(client, asio::buffer(probe));
  ASSERT_EQ(ReadWholeAnswer(client).size(), 8u);
  server_->Stop();
  EXPECT_TRUE(ClosedByPeer(client));
}

}  // namespace
}  // namespace tarvello::server::testing
