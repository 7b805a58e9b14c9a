#include "server/wire/security_search.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "protocol/wire_writer.h"
#include "text/text_codec.h"

namespace tarvello::server {
namespace {

// Where a kind of security stands among the matches; lower comes first.
enum Rank { kShare, kFund, kBond, kWarrant, kIndex, kOther };

Rank RankOfKind(Kind kind) {
  switch (kind) {
    case Kind::kAShare:
    case Kind::kBShare: return kShare;
    case Kind::kFund: return kFund;
    case Kind::kBond: return kBond;
    case Kind::kWarrant: return kWarrant;
    case Kind::kIndex: return kIndex;
    default: return kOther;
  }
}

std::u16string Upper(std::u16string_view text) {
  std::u16string upper(text);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return upper;
}

struct Match {
  bool exact;  // the whole code, or the whole code after the market prefix
  Rank rank;
  const Security* security;
};

std::optional<Match> MatchOf(const Security& s, std::u16string_view typed) {
  const std::u16string code = text::FromAscii(s.code);
  const std::u16string_view digits = std::u16string_view(code).substr(std::min<std::size_t>(2, code.size()));
  const bool exact = code == typed || digits == typed;
  const std::u16string initials = text::FromAscii(s.initials);
  if (exact || code.starts_with(typed) || digits.starts_with(typed) || initials.starts_with(typed) ||
      Upper(s.name).find(typed) != std::u16string::npos) {
    return Match{exact, RankOfKind(s.kind), &s};
  }
  return std::nullopt;
}

}  // namespace

Bytes SearchBody(const Market& market, std::string_view text_gbk) {
  const std::u16string typed = Upper(text::FromGbk(text_gbk));
  std::vector<Match> found;
  if (!typed.empty()) {
    for (const Security& s : market.securities()) {
      if (const std::optional<Match> match = MatchOf(s, typed)) found.push_back(*match);
    }
  }
  const auto first = [](const Match& a, const Match& b) {
    if (a.exact != b.exact) return a.exact;
    return a.rank != b.rank ? a.rank < b.rank : a.security->code < b.security->code;
  };
  const std::size_t kept = std::min(found.size(), static_cast<std::size_t>(kMaxSearchResults));
  std::partial_sort(found.begin(), found.begin() + static_cast<std::ptrdiff_t>(kept), found.end(), first);
  WireWriter body;
  body.I16(static_cast<std::int16_t>(kept));
  for (std::size_t i = 0; i < kept; ++i) body.Str(found[i].security->code).Utf8(found[i].security->name);
  return body.Take();
}

}  // namespace tarvello::server
