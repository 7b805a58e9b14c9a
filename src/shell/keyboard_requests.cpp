#include "shell/keyboard_requests.h"

#include <array>

namespace tarvello {
namespace {

struct Shortcut {
  std::u16string_view text;
  int target;
  int argument;
  const char* security;  // the index a detail shortcut opens on
};

constexpr std::array<Shortcut, 13> kShortcuts{{
    {u"60", kTargetQuoteList, -60, nullptr},
    {u"61", kTargetQuoteList, -61, nullptr},
    {u"62", kTargetQuoteList, -62, nullptr},
    {u"63", kTargetQuoteList, -63, nullptr},
    {u"64", kTargetQuoteList, -64, nullptr},
    {u"65", kTargetQuoteList, -65, nullptr},
    {u"66", kTargetQuoteList, -66, nullptr},
    {u"69", kTargetQuoteList, -69, nullptr},
    {u"06", kTargetQuoteListOtherPage, -6, nullptr},
    {u"03", kTargetStockDetail, -3, "SH000001"},
    {u"04", kTargetStockDetail, -4, "SZ399001"},
    {u"482615", kTargetListScreen, kListCurrentServer, nullptr},
    {u"736204", kTargetListScreen, kListServerRows, nullptr},
}};

}  // namespace

KeyboardRequest RequestForTypedText(std::u16string_view text) {
  for (const Shortcut& shortcut : kShortcuts) {
    if (shortcut.text != text) continue;
    KeyboardRequest request{{shortcut.target, shortcut.argument}, std::nullopt};
    if (shortcut.security != nullptr) request.security = SecurityCode::FromAscii(shortcut.security);
    return request;
  }
  return KeyboardRequest{{kTargetListScreen, kListSearchResult}, std::nullopt};
}

}  // namespace tarvello
