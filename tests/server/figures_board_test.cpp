// The figures of the whole market on a board whose worker was never started, as the tests'
// handlers use it: built on the first demand of each minute, once.
#include "server/figures_board.h"

#include <gtest/gtest.h>

#include "answer_fixture.h"

namespace tarvello::server::testing {
namespace {

TEST(FiguresBoardTest, ABoardNotStartedBuildsTheMinuteAskedFor) {
  const AnswerFixture fixture("2026-12-04 10:30");
  FiguresBoard board(fixture.market, fixture.clock);
  const SimTime now = fixture.clock.Now();
  const auto figures = board.At(now);
  EXPECT_EQ(figures->minute, MinuteOf(now));
  EXPECT_EQ(board.At(now), figures);  // built once for the minute
  SimTime later = now;
  later.seconds_of_day += 60;
  EXPECT_EQ(board.At(later)->minute, MinuteOf(now) + 1);
}

}  // namespace
}  // namespace tarvello::server::testing
