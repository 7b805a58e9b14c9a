#include "info/page_text.h"

#include <algorithm>

namespace tarvello {
namespace {

constexpr char16_t kIdeographicSpace = u'\u3000';
constexpr char16_t kByteOrderMark = u'\uFEFF';
constexpr std::size_t kTrimmedPrefix = 10;
constexpr std::u16string_view kIndent = u"\u3000\u3000";

bool Trimmed(char16_t c, TextForm form) {
  return c == u' ' || c == kIdeographicSpace || (form == TextForm::kDownloaded && c == kByteOrderMark);
}

std::u16string Indented(std::u16string_view line, TextForm form) {
  if (form == TextForm::kCommaPieces) return std::u16string(line);
  std::u16string result(kIndent);
  const std::size_t prefix = std::min(line.size(), kTrimmedPrefix);
  for (std::size_t i = 0; i < prefix; ++i) {
    if (!Trimmed(line[i], form)) result += line[i];
  }
  result += line.substr(prefix);
  return result;
}

int CharWidth(char16_t c, int wide_width, TextForm form) {
  const char16_t narrow_below = form == TextForm::kDownloaded ? 256 : 128;
  return c < narrow_below ? wide_width / 2 : wide_width;
}

void Wrap(const std::u16string& line, int page_width, int wide_width, TextForm form,
          std::vector<std::u16string>& out) {
  std::size_t start = 0;
  int running = 0;
  for (std::size_t i = 0; i < line.size(); ++i) {
    running += CharWidth(line[i], wide_width, form);
    if (running > page_width && i > start) {
      out.push_back(line.substr(start, i - start));
      start = i;
      running = CharWidth(line[i], wide_width, form);
    }
  }
  out.push_back(line.substr(start));
}

bool EndsLine(char16_t c, TextForm form) { return c == u'\n' || (form == TextForm::kCommaPieces && c == u','); }

}  // namespace

std::vector<std::u16string> WrapPageText(std::u16string_view text, int page_width, int wide_width, TextForm form) {
  std::vector<std::u16string> lines;
  std::u16string line;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && !EndsLine(text[i], form)) {
      if (text[i] != u'\r') line += text[i];
      continue;
    }
    Wrap(Indented(line, form), page_width, wide_width, form, lines);
    line.clear();
  }
  return lines;
}

}  // namespace tarvello
