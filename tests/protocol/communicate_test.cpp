// The transport against loopback servers. Direct mode: one lasting connection, stray and
// oversized answers, the log it writes, refused or missing connections, and damaged answer
// streams that end in time with the next exchange succeeding. Through the WAP gateway: the
// request's header lines and the answer read by its length; pass-through HTTP for articles.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "support/fault_proxy.h"
#include "support/transport_fixture.h"

namespace tarvello::testing {
namespace {

using std::chrono::milliseconds;

Bytes Received(const Bytes& response, int count) {
  return Bytes(response.begin(), response.begin() + std::max(count, 0));
}

TEST_F(TransportTest, DirectModeSendsTheContainerAsItIsOnOneLastingConnection) {
  const Bytes answer = QuoteAnswer();
  std::vector<Bytes> requests;  // read once the server has stopped
  int connections = 0;
  {
    LoopbackServer server([&](ServerConnection& c) {
      while (auto request = c.ReadContainer()) {
        requests.push_back(*request);
        c.Send(answer);
      }
    });
    ConnectTo(server);
    Bytes response(10240, 0xEE);
    EXPECT_EQ(Exchange(response), static_cast<int>(answer.size()));
    EXPECT_EQ(Received(response, static_cast<int>(answer.size())), answer);
    EXPECT_TRUE(std::all_of(response.begin() + static_cast<long>(answer.size()), response.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(Exchange(response), static_cast<int>(answer.size()));
    connections = server.accepted();
  }
  EXPECT_EQ(connections, 1);
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[0], QuoteRequest());
  EXPECT_EQ(requests[1], QuoteRequest());
}

// Bytes arriving after a complete answer belong to no request: the next exchange drops them.
TEST_F(TransportTest, StrayBytesAfterAnAnswerAreDroppedBeforeTheNextExchange) {
  const Bytes answer = QuoteAnswer();
  std::promise<void> strayed;
  LoopbackServer server([&](ServerConnection& c) {
    c.ReadContainer();
    c.Send(answer);
    std::this_thread::sleep_for(milliseconds(40));
    c.Send(std::span(answer).first(20));
    strayed.set_value();
    ServeAnswers(c, answer);
  });
  ConnectTo(server);
  Bytes response(10240);
  ASSERT_EQ(Exchange(response), static_cast<int>(answer.size()));
  strayed.get_future().wait();
  std::this_thread::sleep_for(milliseconds(20));  // lets the stray bytes cross the loopback
  ASSERT_EQ(Exchange(response), static_cast<int>(answer.size()));
  EXPECT_EQ(Received(response, static_cast<int>(answer.size())), answer);
  EXPECT_EQ(server.accepted(), 1);
}

TEST_F(TransportTest, AnswerThatNeverCompletesEndsNotFineAndReconnects) {
  const Bytes answer = QuoteAnswer();
  LoopbackServer server([&](ServerConnection& c) {
    if (c.index() == 0) {
      c.ReadContainer();
      c.Send(std::span(answer).first(20));
      c.ReadContainer();  // holds the connection until the client drops it
      return;
    }
    ServeAnswers(c, answer);
  });
  ConnectTo(server);
  Bytes response(10240);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Exchange(response), 0);
  // Waits of 150 ms continue until 400 ms have passed; no wait runs on unbounded.
  EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(400));
  EXPECT_TRUE(Logged("NOT FINE"));
  EXPECT_EQ(Exchange(response), static_cast<int>(answer.size()));
  EXPECT_EQ(server.accepted(), 2);
}

TEST_F(TransportTest, AnswerLargerThanTheBufferIsDroppedNotTruncated) {
  const Bytes answer = QuoteAnswer(3000);
  LoopbackServer server([&](ServerConnection& c) { ServeAnswers(c, answer); });
  ConnectTo(server);
  Bytes small(2048);
  EXPECT_EQ(Exchange(small), 0);
  EXPECT_TRUE(Logged("DISCONNECT"));
  Bytes exact(answer.size() + 1);
  EXPECT_EQ(Exchange(exact), static_cast<int>(answer.size()));
}

TEST_F(TransportTest, FirstExchangeWithoutAConnectionReconnectsAndSendsOnce) {
  const Bytes answer = QuoteAnswer();
  LoopbackServer server([&](ServerConnection& c) { ServeAnswers(c, answer); });
  MakeTransport();
  transport_->SetServer("127.0.0.1", server.port());
  Bytes response(10240);
  EXPECT_EQ(Exchange(response), static_cast<int>(answer.size()));
  const std::vector<std::string> expected = {
      "CommunicateThread ",   "CCommunicate::SendData",    "Tiltl = 2203",
      "Reconnect",            "CCommunicate::Connect",     "Connect end N",
      "CCommunicate::SendData", "Tiltl = 2203",            "SendData end N",
      "CCommunicate::RecieveData", "OK",                   "RecieveData end N",
      "iTotal = 128",         "CommunicateThread End"};
  EXPECT_EQ(Messages(), expected);
}

// A server that does not answer: what the exchange has done so far is in the file already, not
// held back until the exchange ends (which may be never, if the program dies meanwhile).
TEST_F(TransportTest, LogReachesTheFileWhileAnExchangeWaitsForItsAnswer) {
  TransportTimings patient = QuickTimings();
  patient.readable_wait = milliseconds(5000);
  patient.answer_deadline = milliseconds(5000);
  MakeTransport({}, patient);
  std::promise<void> requested;
  std::promise<void> checked;
  LoopbackServer server([&](ServerConnection& c) {
    if (c.index() != 0) return;
    c.ReadContainer();
    requested.set_value();
    checked.get_future().wait();
    c.Close();
  });
  ConnectTo(server);
  std::thread exchange([&] {
    Bytes response(10240);
    Exchange(response);
  });
  requested.get_future().wait();
  const std::vector<std::string> logged = Messages();
  checked.set_value();
  exchange.join();
  const std::vector<std::string> expected = {"CCommunicate::Connect", "Connect end N", "CommunicateThread ",
                                             "CCommunicate::SendData", "Tiltl = 2203"};
  ASSERT_GE(logged.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(logged.begin(), logged.begin() + 5), expected);
}

class RecordingRedial : public RedialQuestion {
 public:
  void Ask() override { ++asked; }
  int asked = 0;
};

TEST_F(TransportTest, RefusedConnectLogsTheErrorAndAsksRedialOnlyWhenAllowed) {
  int closed_port;
  {
    LoopbackServer gone([](ServerConnection&) {});
    closed_port = gone.port();
  }
  MakeTransport();
  RecordingRedial redial;
  transport_->SetRedialQuestion(&redial);
  transport_->SetServer("127.0.0.1", closed_port);
  EXPECT_EQ(transport_->Connect(), -3);
  const std::vector<std::string> expected = {"CCommunicate::Connect", "wsaret == SOCKET_ERROR",
                                             "nError:111", "CCommunicate::CloseSocket"};
  EXPECT_EQ(Messages(), expected);
  Bytes response(100);
  EXPECT_EQ(Exchange(response), 0);
  EXPECT_EQ(redial.asked, 0);
  transport_->SetDialPromptAllowed(true);
  EXPECT_EQ(Exchange(response), 0);
  EXPECT_EQ(redial.asked, 1);
  transport_->SetDirect(false);
  EXPECT_EQ(Exchange(response), 0);
  EXPECT_EQ(redial.asked, 2);
  transport_->SetRedialQuestion(nullptr);
  EXPECT_EQ(Exchange(response), 0);
  EXPECT_EQ(redial.asked, 2);
}

TEST_F(TransportTest, ServerTextAndNullHost) {
  MakeTransport();
  transport_->SetServer("10.0.0.7", 2860);
  EXPECT_EQ(transport_->GetServerText(), u"10.0.0.7:2860");
  transport_->SetServer(nullptr, 80);
  EXPECT_EQ(transport_->GetServerText(), u"10.0.0.7:2860");
  transport_->SetServer("not-an-address", 2860);
  EXPECT_EQ(transport_->Connect(), -3);
  EXPECT_TRUE(Logged("nError:22"));
}

TEST_F(TransportTest, SendIntoAPeerThatReadsNothingGivesUpAfterTheWritableWait) {
  LoopbackServer server([&](ServerConnection& c) {
    // Reads one byte and no more; the connection stays open until the server stops.
    Bytes first;
    c.ReadExactly(1, first);
  });
  ConnectTo(server);
  const Bytes flood(32 << 20, 'f');
  EXPECT_EQ(transport_->SendData(flood), -1);
  EXPECT_TRUE(Logged("!select  send"));
  EXPECT_EQ(transport_->SendData(flood), -1);
}

TEST_F(TransportTest, OperationsWithoutASocketReportMinusOne) {
  MakeTransport();
  EXPECT_EQ(transport_->SendData(QuoteRequest()), -1);
  Bytes response(100);
  EXPECT_EQ(transport_->RecieveData(response), -1);
  EXPECT_EQ(transport_->RecieveHttpData(response), -1);
  EXPECT_EQ(transport_->CloseSocket(), 0);
}

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

struct FaultCase {
  const char* name;
  Fault fault;
  int expected;  // what the damaged exchange returns
};

// Every damaged exchange returns within the bound its waits allow, and the next one succeeds. The
// answer's first block ends in "}", so one-byte pieces also show that it is read to its real end.
TEST_F(TransportTest, DamagedAnswerStreamsEndInTimeAndTheNextExchangeSucceeds) {
  const Bytes answer = BraceEndedAnswer();
  const int whole = static_cast<int>(answer.size());
  LoopbackServer server([&](ServerConnection& c) { ServeAnswers(c, answer); });
  FaultProxy proxy(server.port());
  MakeTransport();
  transport_->SetServer("127.0.0.1", proxy.port());
  ASSERT_EQ(transport_->Connect(), 0);
  const FaultCase cases[] = {
      {"split", {Fault::kSplit}, whole},
      {"short delay", {Fault::kDelay, milliseconds(60)}, whole},
      {"delay past the wait", {Fault::kDelay, milliseconds(300)}, 0},
      {"cut in the header", {Fault::kCut, {}, 4}, 0},
      {"cut in the body", {Fault::kCut, {}, 60}, 0},
      {"cut before anything", {Fault::kCut, {}, 0}, 0},
      {"stall in the body", {Fault::kStall, {}, 90}, 0},
      {"stall before the last byte", {Fault::kStall, {}, answer.size() - 1}, 0},
  };
  // Waits: one readable wait, further waits up to the answer deadline, a pause and a reconnect,
  // with a generous margin for a loaded machine.
  const TransportTimings timings = QuickTimings();
  const auto bound = timings.readable_wait + timings.answer_deadline + timings.pause +
                     timings.connect_wait + milliseconds(1000);
  for (const FaultCase& damaged : cases) {
    SCOPED_TRACE(damaged.name);
    proxy.SetFault(damaged.fault);
    Bytes response(10240);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Exchange(response), damaged.expected);
    EXPECT_LT(std::chrono::steady_clock::now() - start, bound);
    if (damaged.expected == whole) {
      EXPECT_TRUE(std::equal(answer.begin(), answer.end(), response.begin()));
    }
    proxy.SetFault({});
    Bytes next(10240);
    ASSERT_EQ(Exchange(next), whole);
    EXPECT_TRUE(std::equal(answer.begin(), answer.end(), next.begin()));
  }
}

}  // namespace
}  // namespace tarvello::testing
