#include "brokers/trades_file.h"

#include <algorithm>
#include <functional>
#include <mutex>
#include <optional>

#include "storage/path_lock.h"
#include "storage/profile_file.h"
#include "storage/profile_text.h"
#include "storage/utf16le.h"
#include "storage/whole_file.h"

namespace tarvello {

OwnBranch OwnBranch::FromStored(std::u16string stored) {
  OwnBranch branch;
  const std::size_t bar = stored.find(u'|');
  if (bar == std::u16string::npos) {
    branch.name = stored;
  } else {
    branch.tel = stored.substr(0, bar);
    branch.name = stored.substr(bar + 1);
  }
  branch.stored = std::move(stored);
  return branch;
}

OwnBranch OwnBranch::Of(std::u16string_view tel, std::u16string_view name) {
  return FromStored(std::u16string(tel) + u"|" + std::u16string(name));
}

namespace trades_file {
namespace {

// What a change makes of the file: nothing (the change is refused), new text, or no file at all.
struct Outcome {
  enum class Kind { kKeep, kReplace, kRemove };
  Kind kind = Kind::kKeep;
  std::u16string text;
  static Outcome Replace(std::optional<std::u16string> text) {
    return text ? Outcome{Kind::kReplace, std::move(*text)} : Outcome{};
  }
};

using TextEdit = std::function<Outcome(const std::u16string& text, int count)>;

// The stored count, -1 when there is none.
int Count(const std::filesystem::path& file) {
  return ProfileFile::GetInt(kNumberSection, kCountKey, -1, file);
}

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// Reads the file, applies edit to its text and replaces or removes the file as the edit says, all
// under the file's lock. True when the file was changed.
bool ChangeFile(const std::filesystem::path& file, const TextEdit& edit) {
  const std::lock_guard<std::mutex> guard(PathLock(file));
  std::string bytes;
  if (ReadWholeFile(file, bytes) == ReadResult::kFailed) return false;
  const Outcome outcome = edit(DecodeIniText(bytes), Count(file));
  switch (outcome.kind) {
    case Outcome::Kind::kReplace:
      return ReplaceFile(file, EncodeUtf16Le(outcome.text));
    case Outcome::Kind::kRemove: {
      std::error_code error;
      return std::filesystem::remove(file, error) && !error;
    }
    case Outcome::Kind::kKeep:
      break;
  }
  return false;
}

// The key that holds row's value: the row's own key first, as rows are read in key order.
std::optional<int> KeyOfRow(const std::u16string& text, int count,
                            const std::vector<OwnBranch>& rows, std::size_t row) {
  const auto holds = [&](int index) {
    return profile_text::GetValue(text, kListSection, NameKey(index))
               .value_or(std::u16string(kMissingEntry)) == rows[row].stored;
  };
  const int own = static_cast<int>(row);
  if (own < count && holds(own)) return own;
  for (int index = 0; index < std::min(count, kRowLimit); ++index) {
    if (holds(index)) return index;
  }
  return std::nullopt;
}

// The text without the entry of key hole, the last entry moved into it and the count lowered.
std::optional<std::u16string> FillHole(const std::u16string& text, int count, int hole) {
  std::optional<std::u16string> changed =
      profile_text::SetValue(text, kNumberSection, kCountKey, Decimal(count - 1));
  if (!changed) return std::nullopt;
  if (std::optional<std::u16string> without =
          profile_text::RemoveEntry(*changed, kListSection, NameKey(hole))) {
    changed = std::move(without);
  }
  const std::u16string lastKey = NameKey(count - 1);
  const std::optional<std::u16string> last = profile_text::GetValue(*changed, kListSection, lastKey);
  if (!last) return changed;
  changed = profile_text::RemoveEntry(*changed, kListSection, lastKey);
  if (!changed) return std::nullopt;
  return profile_text::SetValue(*changed, kListSection, NameKey(hole), *last);
}

// Whether after reads as before with branch added as entry index and the count one past it. On a
// damaged file (a line cut short, a mangled header) an edit can run into the lines around it;
// such an append is refused rather than stored.
bool AppendedExactly(const std::u16string& before, const std::u16string& after, int index,
                     const OwnBranch& branch) {
  const auto entry = [](const std::u16string& text, int at) {
    return profile_text::GetValue(text, kListSection, NameKey(at));
  };
  if (profile_text::GetValue(after, kNumberSection, kCountKey) != Decimal(index + 1)) return false;
  if (entry(after, index) != branch.stored) return false;
  for (int at = 0; at < index; ++at) {
    if (entry(after, at) != entry(before, at)) return false;
  }
  return true;
}

// Whether after reads as before with the entry of key hole gone, the last entry in its place and
// the count one lower. On a damaged file (a count line running into the list's header, say) the
// edit can take lines around it along; such a removal is refused rather than stored. Entries
// beyond the row limit are not shown, so they are not compared either.
bool RemovedExactly(const std::u16string& before, const std::u16string& after, int count, int hole) {
  const auto entry = [](const std::u16string& text, int at) {
    return profile_text::GetValue(text, kListSection, NameKey(at));
  };
  if (profile_text::GetValue(after, kNumberSection, kCountKey) != Decimal(count - 1)) return false;
  const std::optional<std::u16string> last = entry(before, count - 1);
  const int shown = std::min(count - 1, kRowLimit);
  for (int at = 0; at < shown; ++at) {
    if (entry(after, at) != (at == hole ? last : entry(before, at))) return false;
  }
  return true;
}

}  // namespace

std::u16string NameKey(int index) { return u"NAME" + Decimal(index); }

std::vector<OwnBranch> Read(const std::filesystem::path& file) {
  std::vector<OwnBranch> rows;
  const int count = std::min(Count(file), kRowLimit);
  if (count <= 0) return rows;
  std::string bytes;
  if (ReadWholeFile(file, bytes) != ReadResult::kRead) return rows;
  const std::u16string text = DecodeIniText(bytes);
  for (int index = 0; index < count; ++index) {
    rows.push_back(OwnBranch::FromStored(profile_text::GetValue(text, kListSection, NameKey(index))
                                             .value_or(std::u16string(kMissingEntry))));
  }
  return rows;
}

bool Append(const std::filesystem::path& file, const OwnBranch& branch) {
  return ChangeFile(file, [&](const std::u16string& text, int count) {
    // A damaged count past the rows the list can show takes no more entries.
    if (count >= kRowLimit) return Outcome{};
    const int index = std::max(count, 0);
    const std::optional<std::u16string> counted =
        profile_text::SetValue(text, kNumberSection, kCountKey, Decimal(index + 1));
    if (!counted) return Outcome{};
    const std::optional<std::u16string> added =
        profile_text::SetValue(*counted, kListSection, NameKey(index), branch.stored);
    if (!added || !AppendedExactly(text, *added, index, branch)) return Outcome{};
    return Outcome::Replace(added);
  });
}

bool Remove(const std::filesystem::path& file, const std::vector<OwnBranch>& rows, std::size_t row) {
  if (row >= rows.size()) return false;
  return ChangeFile(file, [&](const std::u16string& text, int count) {
    const std::optional<int> hole = KeyOfRow(text, count, rows, row);
    if (!hole) return Outcome{};
    if (count == 1) return Outcome{Outcome::Kind::kRemove, {}};
    const std::optional<std::u16string> filled = FillHole(text, count, *hole);
    if (!filled || !RemovedExactly(text, *filled, count, *hole)) return Outcome{};
    return Outcome::Replace(filled);
  });
}

}  // namespace trades_file
}  // namespace tarvello
