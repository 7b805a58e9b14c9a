// The code keyboard against the simulator: a code typed with the pen on the keyboard opened from
// the detail screen's keyboard spot opens that share's detail screen, and initials typed from the
// main menu list the matching securities, one of which opens with a tap.
#include <gtest/gtest.h>

#include <QMouseEvent>
#include <cstdio>
#include <memory>

#include "app/terminal.h"
#include "started_terminal.h"
#include "base/program_folder.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/scripted_prompter.h"
#include "platform/ticker_strip.h"
#include "shell/keyboard_keys.h"
#include "shell/search_answer.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"
#include "pen_events.h"
#include "simulator_process.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;
using testing::ReadBytes;

void TapKey(CDlgKeyBoard& keyboard, std::u16string_view caption) {
  for (const KeyboardKey& key : KeyboardKeys()) {
    if (key.caption != caption) continue;
    const Rect box = KeyRect(key, keyboard.KeyArea());
    testing::Tap(keyboard, Point{(box.left + box.right) / 2, (box.top + box.bottom) / 2});
  }
}

class CodeKeyboardEndToEnd : public testing::TerminalEndToEnd {
 protected:
  // True once the detail screen is in front with the figures of code.
  bool DetailShows(const SecurityCode& code) {
    CStockDetailDlg* detail = terminal_->detail_screen();
    if (detail == nullptr || terminal_->frame().current_screen() != detail || !terminal_->progress().isHidden()) {
      return false;
    }
    const auto view = detail->view();
    return view->loaded && view->code == code && view->records.quote.prevClose > 0;
  }
  CDlgKeyBoard& keyboard() { return *terminal_->main_screen()->keyboard(); }
};

TEST_F(CodeKeyboardEndToEnd, ACodeTypedOnTheKeyboardOfTheDetailScreenOpensThatShare) {
  const SecurityCode first = SecurityCode::FromAscii("SH600001");
  terminal_->OpenSecurity(first);
  ASSERT_TRUE(ProcessEventsUntil([&] { return DetailShows(first); }, std::chrono::seconds(20)));

  // The keyboard spot "码" sits on the ticker strip, between 85 and 92.5 percent of its width.
  CStockDetailDlg& detail = *terminal_->detail_screen();
  RecordingCanvas canvas(Size{detail.width(), detail.height()});
  detail.PaintOn(canvas);
  const std::optional<DrawCall> spot = canvas.FindText(u"码");
  ASSERT_TRUE(spot.has_value());
  testing::Tap(detail, Point{(spot->box.left + spot->box.right) / 2, (spot->box.top + spot->box.bottom) / 2});
  ASSERT_TRUE(ProcessEventsUntil([&] { return keyboard().isVisible(); }));

  for (const std::u16string_view key : {u"600", u"0", u"0", u"3"}) TapKey(keyboard(), key);
  EXPECT_EQ(keyboard().entry().text(), u"600003");
  TapKey(keyboard(), u"确定");
  EXPECT_FALSE(keyboard().isVisible());
  ASSERT_TRUE(ProcessEventsUntil([&] { return DetailShows(SecurityCode::FromAscii("SH600003")); },
                                 std::chrono::seconds(20)));
  EXPECT_TRUE(prompter_.asked().empty());
}

TEST_F(CodeKeyboardEndToEnd, InitialsTypedFromTheMainMenuListMatchesAndATapOpensOne) {
  // A letter on the main menu opens the keyboard with it typed.
  terminal_->main_screen()->SendKey('H');
  ASSERT_TRUE(keyboard().isVisible());
  EXPECT_EQ(keyboard().entry().text(), u"H");
  TapKey(keyboard(), u"确定");

  CDlgList* list = terminal_->server_list_screen();
  ASSERT_NE(list, nullptr);
  ASSERT_TRUE(ProcessEventsUntil([&] {
    return terminal_->frame().current_screen() == list && list->view()->items.size() > 1 &&
           terminal_->progress().isHidden();
  }, std::chrono::seconds(20)));
  const SearchItem picked = SplitSearchItem(list->view()->items[0]);
  EXPECT_TRUE(picked.code.starts_with(u"SH") || picked.code.starts_with(u"SZ"));
  EXPECT_FALSE(picked.name.empty());

  RecordingCanvas canvas(Size{list->width(), list->height()});
  list->PaintOn(canvas);
  const std::optional<DrawCall> row = canvas.FindText(picked.name);
  ASSERT_TRUE(row.has_value());
  testing::Tap(*list, Point{(row->box.left + row->box.right) / 2, (row->box.top + row->box.bottom) / 2});
  ASSERT_TRUE(ProcessEventsUntil([&] { return DetailShows(SecurityCode(picked.code)); }, std::chrono::seconds(20)));
}

}  // namespace
}  // namespace tarvello
