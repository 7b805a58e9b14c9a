#include "info/info_answers.h"

#include <functional>
#include <string>

#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using BodyReader = std::function<void(BlockReader&)>;

// Hands the body of the answer's first block to read when the block is of the expected type.
// A compressed block that does not inflate to its stated size never reaches read.
void ReadFirstBlock(std::span<const std::uint8_t> answer, int expected, const BodyReader& read) {
  if (answer.empty()) return;
  ParseContainer(
      [&](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        if (type != expected) return -1;
        BlockReader reader(bytes, start, end);
        read(reader);
        return -1;  // the first block is all these answers hold
      },
      answer.data(), answer.size());
}

// Reads a count and then as many entries as the block really holds: an entry cut off by the
// end of the block is dropped with everything after it.
std::vector<PageEntry> ReadEntries(std::span<const std::uint8_t> answer, int type,
                                   const std::function<void(BlockReader&)>& before,
                                   const std::function<PageEntry(BlockReader&)>& entry) {
  std::vector<PageEntry> entries;
  ReadFirstBlock(answer, type, [&](BlockReader& reader) {
    before(reader);
    const int count = reader.Int16();
    for (int i = 0; i < count && !reader.AtEnd(); ++i) {
      PageEntry read = entry(reader);
      if (reader.overrun()) break;
      entries.push_back(std::move(read));
    }
  });
  return entries;
}

void Nothing(BlockReader&) {}

std::u16string Ascii(const std::string& text) { return text::FromAscii(text); }

}  // namespace

std::u16string InfoDateText(std::int32_t date) {
  std::string digits = std::to_string(date);
  if (digits.size() > 6) digits.insert(6, 1, '-');
  if (digits.size() > 4) digits.insert(4, 1, '-');
  return Ascii(digits);
}

std::u16string InfoTimeText(std::int32_t time) {
  std::string digits = std::to_string(time);
  // Hours before ten come with one digit only; earlier times with fewer still.
  if (time >= 0 && digits.size() < 6) digits.insert(0, 6 - digits.size(), '0');
  digits = digits.substr(0, 4);
  if (digits.size() > 2) digits.insert(2, 1, ':');
  return Ascii(digits);
}

std::optional<ServerStamp> ReadServerStamp(std::span<const std::uint8_t> answer) {
  std::optional<ServerStamp> stamp;
  ReadFirstBlock(answer, kServerTime, [&](BlockReader& reader) {
    ServerStamp read;
    read.first = reader.Int32();
    read.second = reader.Int32();
    if (!reader.overrun()) stamp = read;
  });
  return stamp;
}

std::optional<std::u16string> ReadF10Text(std::span<const std::uint8_t> answer) {
  std::optional<std::u16string> text;
  ReadFirstBlock(answer, kF10Item, [&](BlockReader& reader) {
    reader.Int32();
    std::u16string read = reader.String();
    if (!reader.overrun()) text = std::move(read);
  });
  return text;
}

std::optional<std::u16string> ReadArticleText(std::span<const std::uint8_t> answer) {
  std::optional<std::u16string> text;
  ReadFirstBlock(answer, kArticle, [&](BlockReader& reader) {
    std::u16string title = reader.String();
    std::u16string subtitle = reader.String();
    std::u16string body = reader.String();
    if (!reader.overrun()) text = title + u"\n" + subtitle + u"\n" + body;
  });
  return text;
}

std::vector<PageEntry> ReadInfoTitles(std::span<const std::uint8_t> answer) {
  return ReadEntries(answer, kCodeListInfo, Nothing, [](BlockReader& reader) {
    const std::int32_t date = reader.Int32();
    const std::int32_t time = reader.Int32();
    reader.Int16();
    reader.Byte();
    PageEntry entry;
    entry.identifier = reader.String();
    reader.String();
    reader.String();
    entry.text = reader.String();
    const std::u16string source = reader.String();
    entry.subtitle = InfoDateText(date) + u" " + InfoTimeText(time) + u"来源:" + source;
    return entry;
  });
}

std::vector<PageEntry> ReadGeneralTitles(std::span<const std::uint8_t> answer) {
  return ReadEntries(answer, kInfoList, Nothing, [](BlockReader& reader) {
    PageEntry entry;
    entry.identifier = reader.String();
    entry.text = reader.String();
    return entry;
  });
}

std::vector<PageEntry> ReadInfoCategories(std::span<const std::uint8_t> answer) {
  return ReadEntries(answer, kInfoCategories, Nothing, [](BlockReader& reader) {
    PageEntry entry;
    entry.code = reader.Int32();
    entry.text = reader.String();
    reader.Byte();
    return entry;
  });
}

std::vector<PageEntry> ReadFetchedTitles(std::span<const std::uint8_t> answer) {
  return ReadEntries(
      answer, kInfoTitles, [](BlockReader& reader) { reader.Int32(); },
      [](BlockReader& reader) {
        PageEntry entry;
        entry.text = reader.String();
        reader.Byte();
        entry.code = reader.Int32();
        return entry;
      });
}

}  // namespace tarvello
