// Lays out arbitrary server text as a page: the first two bytes choose the page width and the
// width of a wide character, the rest is the text as UTF-8. The layout must end, keep every
// character, and never put a line wider than the page unless it holds a single character.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "info/page_text.h"
#include "text/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int page_width = data[0];
  const int wide_width = 1 + data[1] % 32;
  const std::u16string text =
      tarvello::text::FromUtf8(std::string_view(reinterpret_cast<const char*>(data + 2), size - 2));
  for (const std::u16string& line : tarvello::WrapPageText(text, page_width, wide_width)) {
    int width = 0;
    for (char16_t c : line) width += c < 128 ? wide_width / 2 : wide_width;
    if (width > page_width && line.size() > 1) std::abort();
  }
  return 0;
}
