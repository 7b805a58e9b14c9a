#include <gtest/gtest.h>

#include <thread>

#include "support/transport_fixture.h"

namespace tarvello::testing {
namespace {

using std::chrono::milliseconds;

std::string HttpAnswer(std::string_view body) {
  return "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

std::string Text(const Bytes& bytes, int count) {
  return std::string(bytes.begin(), bytes.begin() + std::max(count, 0));
}

class WapTransportTest : public TransportTest {
 protected:
  void UseGateway(const LoopbackServer& gateway) {
    MakeTransport(WapGateway{"127.0.0.1", gateway.port()});
    transport_->SetServer("10.1.2.3", 2860);
    transport_->SetDirect(false);
  }
};

TEST_F(WapTransportTest, RequestGoesOutAsFiveHeaderLinesAndTheBodyAndAnswerInOneChunk) {
  const Bytes request = RequestContainer(kQuote, BytesOf("SH6000010"));
  ASSERT_EQ(request.size(), 17u);
  const std::string body(300, 'b');
  std::string received;
  {
    LoopbackServer gateway([&](ServerConnection& c) {
      received = c.ReadHttpRequest().value_or("");
      c.Send(HttpAnswer(body));
      c.ReadContainer();
    });
    UseGateway(gateway);
    Bytes response(4096);
    EXPECT_EQ(Exchange(response, request), 300);
    EXPECT_EQ(Text(response, 300), body);
  }
  EXPECT_EQ(received,
            "POST  /sync  HTTP/1.1\r\n"
            "Host:10.1.2.3:2860\r\n"
            "Accept: www/source; text/html; image/gif; image/png; image/jpeg; */*\r\n"
            "Content-type: application/octet-stream\r\n"
            "Content-Length: 17\r\n\r\n" +
                std::string(request.begin(), request.end()));
  const std::vector<std::string> expected = {
      "CommunicateThread ", "CCommunicate::Connect",     "Connect end N",
      "CCommunicate::SendData", "Tiltl = 2203",          "SendData end N",
      "CCommunicate::RecieveData", "ContentLen 300",     "CCommunicate::CloseSocket",
      "CommunicateThread End"};
  EXPECT_EQ(Messages(), expected);
}

TEST_F(WapTransportTest, RequestLargerThanOneSendBufferGoesOutWhole) {
  Bytes body(3000);
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i);
  const Bytes request = RequestContainer(kCodeListInfo, body);
  std::string received;
  {
    LoopbackServer gateway([&](ServerConnection& c) {
      received = c.ReadHttpRequest().value_or("");
      c.Send(HttpAnswer("ok"));
      c.ReadContainer();
    });
    UseGateway(gateway);
    Bytes response(100);
    EXPECT_EQ(Exchange(response, request), 2);
  }
  ASSERT_GE(received.size(), request.size());
  EXPECT_TRUE(received.ends_with(std::string(request.begin(), request.end())));
  EXPECT_NE(received.find("Content-Length: 3008\r\n\r\n"), std::string::npos);
}

TEST_F(WapTransportTest, CancelBetweenExchangesDoesNotStopTheNextOne) {
  LoopbackServer gateway([&](ServerConnection& c) {
    c.ReadHttpRequest();
    c.Send(HttpAnswer("answer"));
    c.ReadContainer();
  });
  UseGateway(gateway);
  transport_->Cancel();
  Bytes response(100);
  EXPECT_EQ(Exchange(response), 6);
}

TEST_F(WapTransportTest, AnswerInPiecesIsReadByItsContentLength) {
  const std::string body(2500, 'x');
  LoopbackServer gateway([&](ServerConnection& c) {
    c.ReadHttpRequest();
    const std::string answer = HttpAnswer(body);
    c.SendInPieces(BytesOf(answer), 700, milliseconds(5));
    c.ReadContainer();
  });
  UseGateway(gateway);
  Bytes response(4096);
  EXPECT_EQ(Exchange(response), 2500);
  EXPECT_EQ(Text(response, 2500), body);
  EXPECT_TRUE(Logged("ContentLen 2500"));
  EXPECT_TRUE(Logged("IReturn 2500"));
  EXPECT_EQ(gateway.accepted(), 1);
}

TEST_F(WapTransportTest, BodyLargerThanTheBufferIsStoredOnlyUpToItsSize) {
  std::string body(3000, 'y');
  body[999] = 'z';
  LoopbackServer gateway([&](ServerConnection& c) {
    c.ReadHttpRequest();
    c.SendInPieces(BytesOf(HttpAnswer(body)), 1000, milliseconds(2));
    c.ReadContainer();
  });
  UseGateway(gateway);
  Bytes response(1000);
  EXPECT_EQ(Exchange(response), 1000);
  EXPECT_EQ(Text(response, 1000), body.substr(0, 1000));
  Bytes small(100);
  EXPECT_EQ(Exchange(small), 100);
}

TEST_F(WapTransportTest, GatewayClosingBeforeTheWholeBodyGivesNoData) {
  LoopbackServer gateway([&](ServerConnection& c) {
    c.ReadHttpRequest();
    const std::string answer = HttpAnswer(std::string(2000, 'q'));
    c.Send(std::string_view(answer).substr(0, 400));
    std::this_thread::sleep_for(milliseconds(20));
    c.Close();
  });
  UseGateway(gateway);
  Bytes response(4096);
  EXPECT_EQ(Exchange(response), -1);
}

TEST_F(WapTransportTest, HeaderThatNeverCompletesGivesNoData) {
  LoopbackServer gateway([&](ServerConnection& c) {
    c.ReadHttpRequest();
    c.Send("HTTP/1.1 200 OK\r\nContent-Len");
    c.ReadContainer();
  });
  UseGateway(gateway);
  Bytes response(4096);
  EXPECT_EQ(Exchange(response), 0);
  EXPECT_TRUE(Logged("IReturn 0"));
}

TEST_F(TransportTest, PassThroughReadsTheHttpAnswerWithItsHeaderByContentLength) {
  const std::string answer = HttpAnswer(std::string(5000, 'a'));
  std::string request_seen;
  {
    LoopbackServer info([&](ServerConnection& c) {
      request_seen = c.ReadHttpRequest().value_or("");
      c.SendInPieces(BytesOf(answer), 900, milliseconds(3));
      c.ReadContainer();
    });
    ConnectTo(info);
    transport_->SetPassThrough(true);
    const std::string get = "GET /InfoDepot_ForCellPhone/a.txt HTTP/1.1\r\nHost: x\r\n\r\n";
    Bytes response(1 << 20);
    EXPECT_EQ(Exchange(response, BytesOf(get)), static_cast<int>(answer.size()));
    EXPECT_EQ(Text(response, static_cast<int>(answer.size())), answer);
    EXPECT_EQ(request_seen, get);
  }
}

TEST_F(TransportTest, PassThroughAnswerWithoutLengthEndsWithItsFirstChunk) {
  LoopbackServer info([&](ServerConnection& c) {
    c.ReadHttpRequest();
    c.Send("HTTP/1.0 200 OK\r\n\r\nshort text");
    c.ReadContainer();
  });
  ConnectTo(info);
  transport_->SetPassThrough(true);
  Bytes response(4096);
  EXPECT_EQ(Exchange(response, BytesOf("GET / HTTP/1.0\r\n\r\n")), 29);
}

}  // namespace
}  // namespace tarvello::testing
