#include <gtest/gtest.h>

#include <future>
#include <thread>

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

TEST_F(TransportTest, ServerClosingMidExchangeGivesNoDataAndAFreshConnection) {
  const Bytes answer = QuoteAnswer();
  LoopbackServer server([&](ServerConnection& c) {
    if (c.index() == 0) {
      c.ReadContainer();
      c.Close();
      return;
    }
    ServeAnswers(c, answer);
  });
  ConnectTo(server);
  Bytes response(10240);
  EXPECT_EQ(Exchange(response), 0);
  EXPECT_TRUE(Logged("DISCONNECT"));
  EXPECT_EQ(Exchange(response), static_cast<int>(answer.size()));
  EXPECT_EQ(server.accepted(), 2);
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

}  // namespace
}  // namespace tarvello::testing
