#include "shell/ticker_marquee.h"

#include <algorithm>

namespace tarvello {

namespace {
constexpr std::u16string_view kGap = u"\u3000\u3000\u3000";
}  // namespace

std::u16string MarqueeText(std::u16string_view welcome, std::u16string_view running) {
  std::u16string line(welcome);
  std::size_t begin = 0;
  while (begin < running.size()) {
    std::size_t end = running.find_first_of(u"\r\n", begin);
    if (end == std::u16string_view::npos) end = running.size();
    if (end > begin) {
      if (!line.empty()) line += kGap;
      line += running.substr(begin, end - begin);
    }
    begin = end + 1;
  }
  return line;
}

int MarqueeLeft(long long travelled, int text_width, int box_width) {
  const long long cycle = std::max(1, text_width + box_width);
  return box_width - static_cast<int>((std::max(0LL, travelled) + box_width) % cycle);
}

}  // namespace tarvello
