#include <gtest/gtest.h>

#include "support/fault_proxy.h"
#include "support/transport_fixture.h"

namespace tarvello::testing {
namespace {

using std::chrono::milliseconds;

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
