#include "brokers/short_spell_match.h"

#include <string>

namespace tarvello {
namespace {

// The letters (upper-cased) and digits of text, in order.
std::u16string Significant(std::u16string_view text) {
  std::u16string kept;
  for (char16_t c : text) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
    if ((c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9')) kept.push_back(c);
  }
  return kept;
}

}  // namespace

bool MatchesShortSpell(std::u16string_view short_name, std::u16string_view initials) {
  const std::u16string typed = Significant(initials);
  return !typed.empty() && Significant(short_name).starts_with(typed);
}

std::vector<std::size_t> ShortSpellMatches(const std::vector<CatalogueEntry>& entries,
                                           std::u16string_view initials) {
  std::vector<std::size_t> matches;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (MatchesShortSpell(entries[i].short_name, initials)) matches.push_back(i);
  }
  return matches;
}

}  // namespace tarvello
