#include "detail/stock_detail_dlg.h"

#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <memory>
#include <tuple>

#include "navigation/navigation.h"
#include "platform/qt_test_app.h"
#include "platform/keys.h"
#include "platform/qt_canvas.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "platform/test_screen.h"
#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

// How much of the security information block (2200) an answer carries.
enum class InfoBlock { kWhole, kShort, kNone };

// What the scripted server answers: the figures of share SH600001, three minutes into the day,
// last at `last`; with `damagedTail` a broken block follows the good ones.
Bytes DetailAnswer(std::int32_t last, InfoBlock info = InfoBlock::kWhole, bool damagedTail = false) {
  ContainerWriter writer;
  WireWriter minute;
  minute.Utf8(u"SH600001").Utf8(u"Name").I32(0).I32(300).I32(0).U8(0).U8(0).I32(3).I16(3);
  for (int i = 0; i < 3; ++i) minute.I32(931 + i).I32(10200).I32(100 * (i + 1)).I32(10200).I32(0);
  minute.I16(242);
  writer.Add(kMinuteData, minute.Take());
  WireWriter book;
  book.I32(0).I16(10);
  for (int i = 0; i < 10; ++i) book.I32(1005 - i).I32(10 + i);
  writer.Add(kOrderBook, book.Take());
  WireWriter quote;
  quote.I32(last).I32(0).I32(300).I32(1030).I32(990).I32(1000).I32(1000);
  quote.I32(1000).I32(0).I32(0).I32(0).I32(0).I32(0).I32(0);
  writer.Add(kQuote, quote.Take());
  if (info == InfoBlock::kWhole) {
    writer.Add(kSecurityInfo, WireWriter().Utf8(u"SH600001").Utf8(u"Name").U8(1).U8(2).I32(0).I32(1100).I32(900).Take());
  } else if (info == InfoBlock::kShort) {
    writer.Add(kSecurityInfo, WireWriter().Utf8(u"SH600001").Take());
  }
  WireWriter breadth;
  breadth.I16(500).I16(20).I16(300);
  writer.Add(kIndexBreadth, breadth.Take());
  Bytes answer = writer.Finish();
  if (damagedTail) {
    answer.back() = ':';
    for (const std::uint8_t byte : {0x98, 0x08, 0x00, 0x00, 0x40, 0x00, 0x01}) answer.push_back(byte);  // runs past the end
  }
  return answer;
}

Bytes Answer(const Bytes&) { return DetailAnswer(1020); }

class WatchedDetail : public CStockDetailDlg {
 public:
  using CStockDetailDlg::CStockDetailDlg;
  std::optional<std::chrono::steady_clock::time_point> LastGoodAnswer() { return worker().last_answer(); }
};

class StockDetailDlgTest : public ::testing::Test {
 protected:
  StockDetailDlgTest() {
    screen_.resize(480, 640);
    screen_.Open(SecurityCode(u"SH600001"));
    EXPECT_TRUE(ProcessEventsUntil([&] { return screen_.view()->loaded && server_.count() > 0; }));
  }
  void Paint() {
    RecordingCanvas canvas(Size{480, 640});
    screen_.PaintOn(canvas);
  }

  testing::QtApp app_;
  testing::TestScreen main_;
  testing::ScriptedServer server_{Answer};
  testing::RecordingNavigator navigator_;
  std::vector<std::u16string> titles_;
  WatchedDetail screen_{StockDetailParts{server_.Function(), &main_, nullptr, nullptr, std::chrono::seconds(60),
                                           &navigator_, [this](const std::u16string& title) { titles_.push_back(title); }}};
};

// The menu's "预警设置", chosen from the toolbar's menu cell, leads to the alerts page, which comes
// back to the detail screen.
TEST_F(StockDetailDlgTest, TheMenuLeadsToTheAlertsPage) {
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  const std::shared_ptr<void> uninstall(nullptr, [](void*) { InstallPrompter(nullptr); });
  Paint();
  const std::vector<MenuItem> items = screen_.PopupMenuItems();
  const auto entry = std::find_if(items.begin(), items.end(), [](const MenuItem& m) { return m.text == u"预警设置"; });
  ASSERT_NE(entry, items.end());
  prompter.QueueMenuChoice(entry->command);
  testing::PressAt(screen_, 10, 640 - 5);
  EXPECT_EQ(navigator_.visits, (std::vector<NavigationRequest>{{kTargetAlerts, kTargetStockDetail}}));
}

// The window names the security by its code until the first answer brings its name, which it
// shows as the answer comes, not only once the screen paints (this one never does).
TEST_F(StockDetailDlgTest, TheTitleIsTheCodeUntilTheAnswerBringsTheName) {
  ASSERT_TRUE(ProcessEventsUntil([&] { return titles_.size() == 2; }));
  EXPECT_EQ(titles_, (std::vector<std::u16string>{u"SH600001", u"Name"}));
}

bool Offers(const std::vector<MenuItem>& items, std::u16string_view text) {
  return std::any_of(items.begin(), items.end(), [&](const MenuItem& item) { return item.text == text; });
}

// Up and Down swap a share's two panels; "十档行情" in the menu shows the ten-level book, whose
// data every refresh fetches. Before the first answer the screen does not guess the kind.
TEST_F(StockDetailDlgTest, KeysAndMenuReachEveryPanelOfAShareOnceItsKindIsKnown) {
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  server_.Hold();
  screen_.Open(SecurityCode(u"SH600002"));
  ASSERT_TRUE(ProcessEventsUntil([&] { return server_.waiting(); }));
  EXPECT_FALSE(Offers(screen_.PopupMenuItems(), u"F10信息"));
  EXPECT_FALSE(Offers(screen_.PopupMenuItems(), u"详细报价"));
  screen_.SendKey(kKeyUp);
  EXPECT_FALSE(screen_.full_screen()) << "taken for an index before the answer said otherwise";
  server_.Release();
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.view()->loaded; }));
  Paint();

  const struct {
    KeyCode key;
    DetailPanel shown;
  } presses[] = {{kKeyUp, kPanelQuoteFigures}, {kKeyUp, kPanelFiveLevelBook}, {kKeyDown, kPanelQuoteFigures}};
  for (const auto& press : presses) {
    screen_.SendKey(press.key);
    EXPECT_EQ(screen_.panel(), press.shown);
  }
  const std::vector<MenuItem> items = screen_.PopupMenuItems();
  const auto ten = std::find_if(items.begin(), items.end(), [](const MenuItem& m) { return m.text == u"十档行情"; });
  ASSERT_NE(ten, items.end());
  prompter.QueueMenuChoice(ten->command);
  screen_.SendKey(kKeySoftLeft);
  EXPECT_EQ(screen_.panel(), kPanelTenLevelBook);
  RecordingCanvas canvas(Size{480, 640});
  screen_.PaintOn(canvas);
  EXPECT_TRUE(canvas.FindText(u"委比").has_value());
  screen_.SendKey(kKeyDown);
  EXPECT_EQ(screen_.panel(), kPanelFiveLevelBook);
  InstallPrompter(nullptr);
}

// The screen is painted without the black fill first, so every layout and panel sets every pixel
// itself: none of what stood there before shows through.
TEST_F(StockDetailDlgTest, EveryLayoutAndPanelSetsEveryPixel) {
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  const auto choose = [&](std::u16string_view text) {
    const std::vector<MenuItem> items = screen_.PopupMenuItems();
    const auto item = std::find_if(items.begin(), items.end(), [&](const MenuItem& m) { return m.text == text; });
    ASSERT_NE(item, items.end()) << text.size();
    prompter.QueueMenuChoice(item->command);
    screen_.SendKey(kKeySoftLeft);
  };
  const struct {
    const char* state;
    std::function<void()> step;
  } states[] = {
      {"five-level book", [] {}},
      {"quote figures", [&] { screen_.SendKey(kKeyUp); }},
      {"ten-level book", [&] { choose(u"十档行情"); }},
      {"full screen", [&] { choose(u"完全走势"); }},
  };
  for (const auto& [state, step] : states) {
    step();
    QImage image(480, 640, QImage::Format_RGB32);
    image.fill(Qt::magenta);
    {
      QtCanvas canvas(image);
      screen_.PaintOn(canvas);
    }
    int left = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) left += image.pixel(x, y) == QColor(Qt::magenta).rgb();
    }
    EXPECT_EQ(left, 0) << state;
  }
  EXPECT_TRUE(screen_.full_screen());
  InstallPrompter(nullptr);
}

// A refresh reads over the records shown: a record the answer does not bring, or brings too short
// for its layout, keeps its last value (the share stays a share, not security type 0); the blocks
// before a damaged one are shown, but the exchange is no good answer and the figures age.
TEST_F(StockDetailDlgTest, ARefreshKeepsWhatItsAnswerLacksAndShowsTheBlocksBeforeADamagedOne) {
  const struct {
    const char* name;
    InfoBlock info;
    bool damaged;
  } cases[] = {
      {"no 2200 block", InfoBlock::kNone, false},
      {"2200 block short", InfoBlock::kShort, false},
      {"damaged last block", InfoBlock::kWhole, true},
  };
  std::int32_t last = 1020;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const auto good = screen_.LastGoodAnswer();
    ++last;
    server_.SetFixedAnswer(DetailAnswer(last, c.info, c.damaged));
    const int before = server_.count();
    screen_.RequestRefresh(false);
    ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.view()->records.quote.last == last && !screen_.busy(); }));
    EXPECT_EQ(server_.count(), before + 1);
    const DetailRecords& r = screen_.view()->records;
    EXPECT_EQ(std::tuple(int{r.security.securityType}, r.security.name, r.breadth.up),
              std::tuple(1, u"Name", 500));
    EXPECT_EQ(screen_.LastGoodAnswer() != good, !c.damaged);
  }
  // A security whose first answer is damaged shows what came but is not taken as loaded: its kind
  // (and with it the panels) waits for a good answer.
  screen_.Open(SecurityCode(u"SH600002"));
  ASSERT_TRUE(ProcessEventsUntil([&] { return screen_.view()->code == SecurityCode(u"SH600002") &&
                                              screen_.view()->records.quote.last == last && !screen_.busy(); }));
  EXPECT_FALSE(screen_.view()->loaded);
}

}  // namespace
}  // namespace tarvello
