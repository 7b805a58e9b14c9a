#include "account/traffic_page_dlg.h"

#include <gtest/gtest.h>

#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "support/temp_folder.h"
#include "traffic/traffic_page.h"

namespace tarvello {
namespace {

// The cache line shows what the cache takes; a tap on it asks first, and only Yes empties it.
TEST(TrafficPageTest, TheCacheLineShowsItsSizeAndClearsTheCacheAfterAYes) {
  testing::QtApp app;
  testing::TempFolder folder;
  TrafficLedger ledger(folder / "Traffic.ini");
  AnswerCache cache(folder / kAnswerCacheFileName);
  const std::vector<std::uint8_t> answer(2048, '{');
  cache.Put("detail SH600001", answer, std::chrono::system_clock::now());
  CTrafficPageDlg page(TrafficPageParts{nullptr, &ledger, {}, &cache});
  page.resize(480, 640);
  RecordingCanvas canvas(Size{480, 640});
  page.PaintOn(canvas);
  const std::optional<DrawCall> line = canvas.FindText(CacheSizeText(cache.Size()));
  ASSERT_TRUE(line.has_value());
  ASSERT_TRUE(canvas.FindText(kClearCacheLine).has_value());

  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  const int y = (line->box.top + line->box.bottom) / 2;
  for (const PromptAnswer answerGiven : {PromptAnswer::kNo, PromptAnswer::kYes}) {
    prompter.QueueAnswer(answerGiven);
    testing::TapAt(page, 10, y);
    EXPECT_EQ(prompter.asked().back().text, kClearCacheQuestion);
    EXPECT_EQ(cache.Size() == 0, answerGiven == PromptAnswer::kYes);
  }
  InstallPrompter(nullptr);
}

}  // namespace
}  // namespace tarvello
