#include "test_screen.h"

namespace tarvello::testing {

void TestScreen::OnPaint(Canvas& canvas) {
  ++paints;
  Rect client = ClientRect();
  int line = canvas.Metrics().LineHeight();
  canvas.FillRect(client, kBlack);
  canvas.DrawPicture(missing_, Rect{0, 0, client.right, line});
  canvas.SetTextColor(0x0000FF);
  canvas.DrawText(u"12.34", Rect{0, 0, client.right / 2, line}, kTextLeft | kTextSingleLine);
  canvas.SetTextColor(0x00FFFF);
  canvas.DrawText(u"成交量", Rect{client.right / 2, 0, client.right, line},
                  kTextRight | kTextSingleLine);
}

void TestScreen::OnTimer(unsigned id) {
  ticks.push_back(id);
  if (one_shot_timers) KillTimer(id);
}

void TestScreen::OnKeyDown(KeyCode key) {
  keys.push_back(key);
  if (key == kKeyEnter) {
    last_answer = ActivePrompter().MessageBox(u"确认要退出吗？", u"提示", PromptButtons::kYesNo);
  }
}

void TestScreen::OnPenDown(Point at) {
  Note("down", at);
  std::vector<MenuItem> periods = {MenuItem::Command(7, u"日线", true),
                                   MenuItem::Command(9, u"月线")};
  last_command = TrackPopupMenu(
      {MenuItem::Command(101, u"刷新"), MenuItem::SubMenu(u"周期", periods)}, at);
}

void TestScreen::Note(const char* what, Point at) {
  pen.push_back(std::string(what) + " " + std::to_string(at.x) + " " + std::to_string(at.y));
}

}  // namespace tarvello::testing
