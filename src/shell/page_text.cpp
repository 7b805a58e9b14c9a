#include "shell/page_text.h"

#include <algorithm>

namespace tarvello {
namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';
constexpr std::size_t kTrimmedPrefix = 10;
constexpr std::u16string_view kIndent = u"\u3000\u3000";

std::u16string Indented(std::u16string_view line) {
  std::u16string result(kIndent);
  const std::size_t prefix = std::min(line.size(), kTrimmedPrefix);
  for (std::size_t i = 0; i < prefix; ++i) {
    if (line[i] != u' ' && line[i] != kIdeographicSpace) result += line[i];
  }
  result += line.substr(prefix);
  return result;
}

int CharWidth(char16_t c, int wide_width) { return c < 128 ? wide_width / 2 : wide_width; }

void Wrap(const std::u16string& line, int page_width, int wide_width,
          std::vector<std::u16string>& out) {
  std::size_t start = 0;
  int running = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    running += CharWidth(line[i], wide_width);
    if (running > page_width && i > start) {
      out.push_back(line.substr(start, i - start));
      start = i;
      running = CharWidth(line[i], wide_width);
    }
  }
  out.push_back(line.substr(start));
}

}  // namespace

std::vector<std::u16string> WrapPageText(std::u16string_view text, int page_width, int wide_width) {
  std::vector<std::u16string> lines;
  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find(u'\n', begin);
    if (end == std::u16string_view::npos) end = text.size();
    std::u16string line;
    for (char16_t c : text.substr(begin, end - begin)) {
      if (c != u'\r') line += c;
    }
    Wrap(Indented(line), page_width, wide_width, lines);
    begin = end + 1;
  }
  return lines;
}

}  // namespace tarvello
