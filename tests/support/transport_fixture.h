// Test support: a transport with short waits and its log in a fresh folder, plus the requests
// and answers the transport tests exchange.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "support/loopback_server.h"
#include "protocol/comm_log.h"
#include "protocol/communicate.h"
#include "protocol/packet_codec.h"
#include "support/temp_folder.h"

namespace tarvello::testing {

// The messages of a communication log, oldest first, without their time stamps. The elapsed
// milliseconds of the "... end %d" lines vary from run to run and read as "N".
inline std::vector<std::string> LogMessages(const std::filesystem::path& file) {
  const std::string bytes = ReadBytes(file);
  std::vector<std::string> messages;
  const std::regex elapsed("^(Connect|SendData|RecieveData) end \\d+$");
  std::size_t pos = 38;  // behind the header and the space line
  for (std::size_t end; (end = bytes.find("\r\n", pos)) != std::string::npos; pos = end + 2) {
    std::string line = bytes.substr(pos, end - pos);
    if (line == "**End**") break;
    line = line.size() >= 21 ? line.substr(21) : line;
    messages.push_back(std::regex_replace(line, elapsed, "$1 end N"));
  }
  return messages;
}

inline TransportTimings QuickTimings() {
  TransportTimings timings;
  timings.writable_wait = std::chrono::milliseconds(500);
  timings.readable_wait = std::chrono::milliseconds(150);
  timings.answer_deadline = std::chrono::milliseconds(400);
  timings.pause = std::chrono::milliseconds(5);
  timings.connect_wait = std::chrono::milliseconds(1000);
  return timings;
}

// A quote answer whose body holds "}" bytes, so that chunk ends can fool a careless reader.
inline Bytes QuoteAnswer(std::size_t body_size = 120) {
  Bytes body(body_size);
  for (std::size_t i = 0; i < body.size(); ++i) body[i] = static_cast<std::uint8_t>(i * 7);
  body[30] = '}';
  return AnswerContainer(kQuote, body);
}

// Two blocks, the first of whose bodies ends in "}": a reader that takes a chunk ending there for
// the end of the answer stops one block short.
inline Bytes BraceEndedAnswer() {
  Bytes first(56, 3);
  first.back() = '}';
  const Bytes quote = AnswerContainer(kQuote, first);
  const Bytes info = AnswerContainer(2200, Bytes(20, 4));
  Bytes answer(quote.begin(), quote.end() - 1);
  answer.push_back(':');
  answer.insert(answer.end(), info.begin() + 1, info.end());
  return answer;
}

// A gateway's answer carrying body.
inline std::string HttpAnswer(std::string_view body) {
  return "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

inline Bytes QuoteRequest() { return CPacketCodec().BuildQuote("SH600001"); }

// Answers every request container with `answer` until the client goes away.
inline void ServeAnswers(ServerConnection& connection, const Bytes& answer) {
  while (connection.ReadContainer()) {
    if (!connection.Send(answer)) return;
  }
}

class TransportTest : public ::testing::Test {
 protected:
  void MakeTransport(WapGateway gateway = {}, TransportTimings timings = QuickTimings()) {
    transport_ = std::make_unique<CCommunicate>(log_, std::move(gateway), timings);
  }
  // A direct-mode transport connected to the server.
  void ConnectTo(const LoopbackServer& server) {
    if (!transport_) MakeTransport();
    transport_->SetServer("127.0.0.1", server.port());
    ASSERT_EQ(transport_->Connect(), 0);
  }
  int Exchange(Bytes& response, const Bytes& request = QuoteRequest()) {
    return transport_->CommunicateThread(request, response);
  }
  std::vector<std::string> Messages() const { return LogMessages(log_.path()); }
  bool Logged(const std::string& message) const {
    const auto messages = Messages();
    return std::find(messages.begin(), messages.end(), message) != messages.end();
  }

  TempFolder folder_;
  CommLog log_{folder_.path()};
  std::unique_ptr<CCommunicate> transport_;
};

}  // namespace tarvello::testing
