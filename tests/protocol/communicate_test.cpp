// The transport against loopback servers: direct mode with its log, stray, oversized and damaged
// answers and missing connections; the WAP gateway's request and answer; pass-through HTTP.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "support/fault_proxy.h"
#include "support/transport_fixture.h"

namespace tarvello::testing {
namespace {

using std::chrono::milliseconds;

TEST_F(TransportTest, DirectModeUsesOneLastingConnectionAndStrayBytesACloseOrSizeLoseNoAnswer) {
  const Bytes quote = QuoteAnswer();
  std::vector<Bytes> requests;  // read once the server has stopped
  int connections = 0;
  {
    LoopbackServer server([&](ServerConnection& c) {
      while (auto request = c.ReadContainer()) {
        requests.push_back(*request);
        c.Send(quote);
      }
    });
    ConnectTo(server);
    Bytes response(10240, 0xEE);
    EXPECT_EQ(Exchange(response), static_cast<int>(quote.size()));
    EXPECT_TRUE(std::equal(quote.begin(), quote.end(), response.begin()));
    EXPECT_TRUE(std::all_of(response.begin() + static_cast<long>(quote.size()), response.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(Exchange(response), static_cast<int>(quote.size()));
    connections = server.accepted();
  }
  EXPECT_EQ(connections, 1);
  EXPECT_EQ(requests, (std::vector<Bytes>{QuoteRequest(), QuoteRequest()}));
  // Bytes arriving after a complete answer belong to no request: the next exchange drops them.
  // After a server closed the lasting connection between two exchanges, the next request goes out
  // on a new connection and is answered, not sent into the closed one and lost.
  const Bytes answer = QuoteAnswer();
  for (const bool close : {false, true}) {
    SCOPED_TRACE(close ? "closed" : "stray bytes");
    std::promise<void> between;
    LoopbackServer server([&](ServerConnection& c) {
      if (c.index() > 0) return ServeAnswers(c, answer);
      c.ReadContainer();
      c.Send(answer);
      if (!close) std::this_thread::sleep_for(milliseconds(40));
      close ? c.Close() : (void)c.Send(std::span(answer).first(20));
      between.set_value();
      if (!close) ServeAnswers(c, answer);
    });
    ConnectTo(server);
    Bytes response(10240);
    ASSERT_EQ(Exchange(response), static_cast<int>(answer.size()));
    between.get_future().wait();
    std::this_thread::sleep_for(milliseconds(20));  // lets them or the close cross the loopback
    ASSERT_EQ(Exchange(response), static_cast<int>(answer.size()));
    EXPECT_TRUE(std::equal(answer.begin(), answer.end(), response.begin()));
    EXPECT_EQ(server.accepted(), close ? 2 : 1);
    EXPECT_TRUE(!close || Logged("Reconnect"));
  }
  // An answer larger than the buffer is dropped, not truncated.
  const Bytes big = QuoteAnswer(3000);
  LoopbackServer server([&](ServerConnection& c) { ServeAnswers(c, big); });
  ConnectTo(server);
  Bytes small(2048);
  EXPECT_EQ(Exchange(small), 0);
  EXPECT_TRUE(Logged("DISCONNECT"));
  Bytes exact(big.size() + 1);
  EXPECT_EQ(Exchange(exact), static_cast<int>(big.size()));
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
  const auto asked_after_an_exchange = [&] {
    Bytes response(100);
    EXPECT_EQ(Exchange(response), 0);
    return redial.asked;
  };
  EXPECT_EQ(asked_after_an_exchange(), 0);
  transport_->SetDialPromptAllowed(true);
  EXPECT_EQ(asked_after_an_exchange(), 1);
  transport_->SetDirect(false);
  EXPECT_EQ(asked_after_an_exchange(), 2);
  transport_->SetRedialQuestion(nullptr);
  EXPECT_EQ(asked_after_an_exchange(), 2);
}

// Without a socket every operation fails; a null host keeps the server set before, and an address
// that is none fails to connect.
TEST_F(TransportTest, OperationsWithoutASocketOrAnAddressFailAndASendIntoNoReaderGivesUp) {
  MakeTransport();
  EXPECT_EQ(transport_->SendData(QuoteRequest()), -1);
  Bytes response(100);
  EXPECT_EQ(transport_->RecieveData(response), -1);
  EXPECT_EQ(transport_->RecieveHttpData(response), -1);
  EXPECT_EQ(transport_->CloseSocket(), 0);
  transport_->SetServer("10.0.0.7", 2860);
  transport_->SetServer(nullptr, 80);
  EXPECT_EQ(transport_->GetServerText(), u"10.0.0.7:2860");
  transport_->SetServer("not-an-address", 2860);
  EXPECT_EQ(transport_->Connect(), -3);
  EXPECT_TRUE(Logged("nError:22"));
  // A send into a peer that reads nothing gives up after the writable wait.
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

// The request goes out as five header lines and its whole body, larger than one send buffer.
TEST_F(WapTransportTest, RequestGoesOutAsFiveHeaderLinesAndTheWholeBodyAndTheAnswerInOneChunk) {
  Bytes body(3000);
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i);
  const Bytes request = RequestContainer(kQuote, body);
  const std::string answer(300, 'b');
  std::string received;
  {
    LoopbackServer gateway([&](ServerConnection& c) {
      received = c.ReadHttpRequest().value_or("");
      c.Send(HttpAnswer(answer));
      c.ReadContainer();
    });
    UseGateway(gateway);
    Bytes response(4096);
    EXPECT_EQ(Exchange(response, request), 300);
    EXPECT_EQ(Text(response, 300), answer);
  }
  EXPECT_EQ(received,
            "POST  /sync  HTTP/1.1\r\n"
            "Host:10.1.2.3:2860\r\n"
            "Accept: www/source; text/html; image/gif; image/png; image/jpeg; */*\r\n"
            "Content-type: application/octet-stream\r\n"
            "Content-Length: 3008\r\n\r\n" +
                std::string(request.begin(), request.end()));
  const std::vector<std::string> expected = {
      "CommunicateThread ", "CCommunicate::Connect",     "Connect end N",
      "CCommunicate::SendData", "Tiltl = 2203",          "SendData end N",
      "CCommunicate::RecieveData", "ContentLen 300",     "CCommunicate::CloseSocket",
      "CommunicateThread End"};
  EXPECT_EQ(Messages(), expected);
}

// How the gateway's answer arrives decides what the exchange stores: the body by its
// Content-Length, never more than the buffer holds, nothing from a broken or endless answer or
// from an error page.
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
      {"the gateway's error page", "HTTP/1.1 502 Bad Gateway\r\nContent-Length: 4\r\n\r\n{  }", 100,
       false, 4096, 0},
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

// Pass-through HTTP keeps the answer's header and reads the answer by its Content-Length, or to
// the end of its first chunk when it has none.
TEST_F(TransportTest, PassThroughReadsTheHttpAnswerWithItsHeaderByItsLengthOrItsFirstChunk) {
  const std::string get = "GET /InfoDepot_ForCellPhone/a.txt HTTP/1.1\r\nHost: x\r\n\r\n";
  const std::pair<std::string, std::size_t> cases[] = {  // answer, size of the pieces it arrives in
      {HttpAnswer(std::string(5000, 'a')), 900}, {"HTTP/1.0 200 OK\r\n\r\nshort text", 100}};
  for (const auto& [answer, piece] : cases) {
    std::string request_seen;
    {
      LoopbackServer info([&](ServerConnection& c) {
        request_seen = c.ReadHttpRequest().value_or("");
        c.SendInPieces(BytesOf(answer), piece, milliseconds(3));
        c.ReadContainer();
      });
      MakeTransport();
      ConnectTo(info);
      transport_->SetPassThrough(true);
      Bytes response(1 << 20);
      EXPECT_EQ(Exchange(response, BytesOf(get)), static_cast<int>(answer.size()));
      EXPECT_EQ(Text(response, static_cast<int>(answer.size())), answer);
    }
    EXPECT_EQ(request_seen, get);
  }
}

// Every damaged exchange returns within the bound its waits allow, and the next one succeeds. The
// answer's first block ends in "}", so one-byte pieces also show that it is read to its real end.
// An answer that stalls is waited for until the answer deadline, and logged as not fine.
TEST_F(TransportTest, DamagedAnswerStreamsEndInTimeAndTheNextExchangeSucceeds) {
  const Bytes answer = BraceEndedAnswer();
  const int whole = static_cast<int>(answer.size());
  LoopbackServer server([&](ServerConnection& c) { ServeAnswers(c, answer); });
  FaultProxy proxy(server.port());
  MakeTransport();
  transport_->SetServer("127.0.0.1", proxy.port());
  ASSERT_EQ(transport_->Connect(), 0);
  const struct {
    const char* name;
    Fault fault;
    int expected;  // what the damaged exchange returns
  } cases[] = {
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
  for (const auto& damaged : cases) {
    SCOPED_TRACE(damaged.name);
    proxy.SetFault(damaged.fault);
    Bytes response(10240);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Exchange(response), damaged.expected);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, bound);
    if (damaged.fault.kind == Fault::kStall) {
      EXPECT_GE(took, timings.answer_deadline);
    }
    if (damaged.expected == whole) {
      EXPECT_TRUE(std::equal(answer.begin(), answer.end(), response.begin()));
    }
    proxy.SetFault({});
    Bytes next(10240);
    ASSERT_EQ(Exchange(next), whole);
    EXPECT_TRUE(std::equal(answer.begin(), answer.end(), next.begin()));
  }
  EXPECT_TRUE(Logged("NOT FINE"));
}

}  // namespace
}  // namespace tarvello::testing
