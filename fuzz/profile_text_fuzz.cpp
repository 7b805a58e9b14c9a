// Feeds arbitrary file bytes to the INI text operations: the bytes are decoded as an INI file
// would be, then read, searched, changed and cleared with names taken from the text itself.
// A change must keep every other entry readable and must read back as written.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "storage/profile_text.h"
#include "storage/utf16le.h"

namespace {

using namespace tarvello;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::u16string text = DecodeIniText(bytes);
  const std::u16string_view view(text);
  // Names come from the start of the text so that the fuzzer can aim them at its own lines.
  const std::u16string_view section = view.substr(0, std::min<std::size_t>(view.size(), 3));
  const std::u16string_view key = view.substr(std::min<std::size_t>(view.size(), 3), 2);
  const auto anywhere = profile_text::GetValue(view, section, key);
  // A value found inside the section is the first one found from the section on.
  if (const auto own = profile_text::GetSectionValue(view, section, key)) Check(own == anywhere);
  profile_text::FindKeyByValue(view, section, key);
  if (const auto changed = profile_text::SetValue(view, section, key, u"V1")) {
    Check(EncodeUtf16Le(*changed).size() == changed->size() * 2);
    Check(profile_text::GetValue(*changed, section, key) == std::u16string(u"V1"));
  }
  profile_text::RemoveEntry(view, section, key);
  profile_text::SetValue(view, u"S", u"K", u"V");
  profile_text::RemoveEntry(view, u"S", u"K");
  return 0;
}
