// Feeds arbitrary bytes to the text conversions: as UTF-8 and GBK input, and (taken two bytes at
// a time) as UTF-16 text to encode. None may crash or read outside its input.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "text/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  tarvello::text::FromUtf8(bytes);
  tarvello::text::FromGbk(bytes);
  std::u16string wide(size / 2, u'\0');
  std::memcpy(wide.data(), data, wide.size() * sizeof(char16_t));
  tarvello::text::ToGbk(wide);
  tarvello::text::FromUtf8(tarvello::text::ToUtf8(wide));
  return 0;
}
