// Both ends of the quote lists: the terminal's own requests, answered by the simulator, read
// back by the terminal's own reader, whole and with the page and total the screen asked for.
#include <gtest/gtest.h>

#include <algorithm>

#include "answer_fixture.h"
#include "lists/list_answer.h"
#include "lists/list_codes.h"
#include "lists/list_request.h"

namespace tarvello::server::testing {
namespace {

std::size_t RowsRead(const ListRows& rows) {
  return rows.quotes.size() + rows.futures.size() + rows.buckets.size() + rows.bigOrders.size() + rows.funds.size();
}

TEST(ListContractTest, EveryMenuListIsReadWholeByTheTerminal) {
  AnswerFixture fixture;
  const int categories[] = {kCategoryAllShares, kCategorySmallCaps, 106, kCategoryShanghaiA, kCategoryShenzhenB,
                            kCategoryShanghaiFunds, 13, 121, kCategoryIndices, kCategoryGlobal, 30, 34, 35,
                            kCategoryForex, kCategoryFutures, kCategorySectors, kCategoryCsi300};
  for (const int category : categories) {
    for (const int start : {0, 30}) {
      const Bytes answer = fixture.RawAnswer({BuildCategoryPage(category, {1, 0, start, 10})});
      ListRows rows;
      const ListAnswerResult result = ReadListAnswer(answer.data(), answer.size(), {category, {}, {}}, rows);
      EXPECT_TRUE(result.complete) << "category " << category;
      EXPECT_GT(rows.listTotal, 0) << "category " << category;
      const auto expected = static_cast<std::size_t>(std::clamp(rows.listTotal - start, 0, 10));
      EXPECT_EQ(RowsRead(rows), expected) << "category " << category << " from " << start;
    }
  }
}

}  // namespace
}  // namespace tarvello::server::testing
