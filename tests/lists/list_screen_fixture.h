// The list screen of the list tests: a 480x640 window against a ScriptedServer (the scripted
// market unless a test answers otherwise), the own lists in a temporary folder and a recording
// navigator. Taps go straight to the screen's pen handlers. Everything runs on the test's thread
// but the server's answers, which run on the screen's worker.
#pragma once

#include <gtest/gtest.h>

#include "lists/list_wire.h"
#include "lists/stock_list_dlg.h"
#include "market/own_stock_list.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "support/recording_navigator.h"
#include "support/scripted_server.h"
#include "support/temp_folder.h"

namespace tarvello::testing {

class TouchableList : public CStockListDlg {
 public:
  using CStockListDlg::CStockListDlg;
  void Tap(Point at) {
    OnPenDown(at);
    OnPenUp(at);
  }
  bool HadGoodAnswer() { return worker().last_answer().has_value(); }
};

class ListScreenFixture : public ::testing::Test {
 protected:
  ListScreenFixture() {
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
  void RunAndWait(unsigned command) {
    const int before = server_.count();
    screen_.RunCommand(command);
    WaitForFetch(before);
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

  QtApp app_;
  TestScreen main_;
  TempFolder folder_;
  OwnStockList self_ = OwnStockList::SelfSelected(folder_.path());
  OwnStockList recent_ = OwnStockList::RecentlyViewed(folder_.path());
  ScriptedServer server_{MarketAnswer};
  RecordingNavigator navigator_;
  TouchableList screen_{StockListParts{server_.Function(), &main_, &self_, &recent_, nullptr,
                                       std::chrono::seconds(60), &navigator_, nullptr}};
};

}  // namespace tarvello::testing
