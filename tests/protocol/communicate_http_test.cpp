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

// How the gateway's answer arrives decides what the exchange stores: the body by its
// Content-Length, never more than the buffer holds, nothing from a broken or endless answer.
TEST_F(WapTransportTest, AnswerIsReadByItsContentLengthAndBoundedByTheBuffer) {
  std::string long_body(3000, 'y');
  long_body[999] = 'z';
  const struct {
    const char* name;
    std::string answer;
    std::size_t piece;
    bool close_after_first_piece;
    std::size_t buffer;
    int expected;
  } cases[] = {
      {"in pieces", HttpAnswer(std::string(2500, 'x')), 700, false, 4096, 2500},
      {"larger than the buffer", HttpAnswer(long_body), 1000, false, 1000, 1000},
      {"closed before the whole body", HttpAnswer(std::string(2000, 'q')), 400, true, 4096, -1},
      {"header that never completes", "HTTP/1.1 200 OK\r\nContent-Len", 100, false, 4096, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LoopbackServer gateway([&](ServerConnection& conn) {
      conn.ReadHttpRequest();
      if (c.close_after_first_piece) {
        conn.Send(std::string_view(c.answer).substr(0, c.piece));
        std::this_thread::sleep_for(milliseconds(20));
        return conn.Close();
      }
      conn.SendInPieces(BytesOf(c.answer), c.piece, milliseconds(3));
      conn.ReadContainer();
    });
    UseGateway(gateway);
    transport_->Cancel();  // a cancel between exchanges does not stop the next one
    Bytes response(c.buffer);
    ASSERT_EQ(Exchange(response), c.expected);
    if (c.expected > 0) {
      const std::size_t header = c.answer.find("\r\n\r\n") + 4;
      EXPECT_EQ(Text(response, c.expected), c.answer.substr(header, static_cast<std::size_t>(c.expected)));
      EXPECT_TRUE(Logged("IReturn " + std::to_string(c.expected)));
    }
  }
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
