// The list screen against a ScriptedServer playing the scripted market: no bytes or a broken
// answer is no good answer, and the self-selected list's information tabs show their titles and
// articles in place. (The list's rules are the list model's tests; the ways between screens are
// the journeys'.)
#include "lists/stock_list_dlg.h"

#include <gtest/gtest.h>


#include "lists/list_codes.h"
#include "protocol/packet_codec.h"
#include "lists/list_wire.h"
#include "market/own_stock_list.h"
#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

class TouchableList : public CStockListDlg {
 public:
  using CStockListDlg::CStockListDlg;
  void Tap(Point at) {
    OnPenDown(at);
    OnPenUp(at);
  }
  std::optional<std::chrono::steady_clock::time_point> LastGoodAnswer() { return worker().last_answer(); }
};

class StockListDlgTest : public ::testing::Test {
 protected:
  StockListDlgTest() {
    screen_.resize(480, 640);
    Paint();  // takes the canvas's line height, as the first paint does
  }
  // Waits for an answer after `before` exchanges and for the worker to finish with it.
  void WaitForFetch(int before) {
    ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() > before && !screen_.busy(); }));
  }
  void OpenAndWait(int target, int argument) {
    const int before = server_.count();
    ASSERT_TRUE(screen_.Open(target, argument));
    ASSERT_TRUE(ProcessEventsUntil(
        [&] { return server_.count() > before && screen_.view()->loaded && !screen_.busy(); }));
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{480, 640});
    screen_.PaintOn(canvas);
    return canvas;
  }
  // Taps just inside the first text drawn equal to text.
  void TapText(std::u16string_view text) {
    const auto found = Paint().FindText(text);
    ASSERT_TRUE(found.has_value()) << std::string(text.begin(), text.end());
    screen_.Tap({found->box.left + 2, found->box.top + 2});
  }

  testing::QtApp app_;
  testing::TestScreen main_;
  testing::TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  OwnStockList recent_ = OwnStockList::RecentlyViewed(folder_.path());
  testing::ScriptedServer server_{testing::MarketAnswer};
  testing::RecordingNavigator navigator_;
  TouchableList screen_{StockListParts{server_.Function(), &main_, &self_, &recent_, nullptr,
                                       std::chrono::seconds(60), &navigator_, nullptr}};
};

// An exchange that brings nothing (a time-out, a closed connection: 0 bytes) or a broken answer
// is no good answer: the rows held, or those read before the fault, stay on screen, and the
// figures grow old and are dimmed when it keeps coming.
TEST_F(StockListDlgTest, NoBytesOrABrokenAnswerKeepTheRowsButCountAsNoAnswer) {
  const struct {
    const char* name;
    testing::ScriptedServer::Answer answer;
  } cases[] = {
      {"no bytes", [](const Bytes&) { return Bytes{}; }},
      {"broken end", [](const Bytes& r) {
         Bytes answer = testing::MarketAnswer(r);
         if (!answer.empty()) answer.back() = 'x';
         return answer;
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TouchableList screen{StockListParts{server_.Function(), &main_, &self_, &recent_, nullptr,
                                        std::chrono::seconds(60), &navigator_, nullptr}};
    screen.resize(480, 640);
    server_.SetAnswer(testing::MarketAnswer);
    ASSERT_TRUE(screen.Open(kTargetQuoteList, -60));
    ASSERT_TRUE(ProcessEventsUntil([&] { return screen.view()->loaded && !screen.busy(); }));
    const auto good = screen.LastGoodAnswer();
    ASSERT_TRUE(good.has_value());
    server_.SetAnswer(c.answer);
    const int before = server_.count();
    screen.RequestRefresh(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return server_.count() > before && !screen.busy(); }));
    EXPECT_FALSE(screen.view()->rows.quotes.empty());
    EXPECT_EQ(screen.LastGoodAnswer(), good);
  }
}

// The news of the self-selected codes, and one article: the market's answers otherwise.
Bytes NewsAnswer(const Bytes& r) {
  switch (testing::TypeOf(r)) {
    case kServerTime: return testing::Container(kServerTime, WireWriter().I32(20261204).I32(93000).Take());
    case kCodeListInfo: {
      WireWriter body;
      body.I16(2);
      for (const char16_t* title : {u"甲公司中标", u"乙公司增持"}) {
        body.I32(20261204).I32(93015).I16(0).U8(0).Str(text::ToUtf8(title)).Str("SH600003").Str("");
        body.Utf8(title).Utf8(u"模拟财经");
      }
      return testing::Container(kCodeListInfo, body.Take());
    }
    case kArticle: return testing::Container(kArticle, WireWriter().Utf8(u"乙公司增持").Utf8(u"模拟财经").Utf8(u"正文第一段").Take());
    default: return testing::MarketAnswer(r);
  }
}

// "新闻" asks for the titles of every self-selected code at once and shows them where the quote
// rows stood, tab bar and toolbar kept; a title shows its article there, "返回" comes back to the
// titles without leaving the screen or asking again, and "行情" brings the quote rows back.
TEST_F(StockListDlgTest, TheNewsTabShowsTheOwnTitlesAndAnArticleInPlace) {
  server_.SetAnswer(NewsAnswer);
  ASSERT_TRUE(self_.Add(SecurityCode::FromAscii("SH600003")));
  OpenAndWait(kTargetQuoteListOtherPage, kTargetQuoteList);
  std::vector<std::string> codes;
  for (const SecurityCode& code : self_.Codes()) codes.push_back(code.RequestText());

  int before = server_.count();
  TapText(u"新闻");
  ASSERT_TRUE(ProcessEventsUntil([&] { return Paint().FindText(u"甲公司中标").has_value(); }));
  EXPECT_EQ(server_.count(), before + 2);
  EXPECT_EQ(server_.Last(), CPacketCodec().BuildCodeListInfo(1, 100, codes, 20261204, 93000));
  RecordingCanvas shown = Paint();
  EXPECT_TRUE(shown.FindText(u"2026-12-04 09:30来源:模拟财经"));
  EXPECT_TRUE(shown.FindText(u"行情") && shown.FindText(u"返回") && shown.FindText(u"(1/1)"));
  EXPECT_FALSE(shown.FindText(u"股票名称"));

  screen_.SendKey(kKeyDown);
  screen_.SendKey(kKeyEnter);
  ASSERT_TRUE(ProcessEventsUntil([&] { return Paint().FindText(u"\u3000\u3000正文第一段").has_value(); }));
  EXPECT_EQ(server_.Last(), CPacketCodec().BuildArticle(1, u"乙公司增持"));

  before = server_.count();
  screen_.SendKey(kKeyBack);
  EXPECT_TRUE(Paint().FindText(u"甲公司中标"));
  EXPECT_TRUE(navigator_.visits.empty());
  EXPECT_EQ(server_.count(), before);

  TapText(u"行情");
  WaitForFetch(before);
  EXPECT_FALSE(screen_.view()->rows.quotes.empty());
  EXPECT_TRUE(Paint().FindText(u"股票名称"));
}

}  // namespace
}  // namespace tarvello
