#include "shell/search_answer.h"

#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {

// A long result list can fill the answer buffer, and the answer then arrives cut where the buffer
// ended: the items before the cut are still good, so the block is read up to the cut.
std::vector<std::u16string> ReadSearchAnswer(std::span<const std::uint8_t> answer) {
  std::vector<std::u16string> items;
  ParseContainerUpToCut(
      [&items](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        if (type != kSecuritySearch || !items.empty()) return 0;
        BlockReader reader(bytes, start, end);
        const int count = reader.Int16();
        for (int i = 0; i < count; ++i) {
          std::u16string code = reader.String();
          std::u16string name = reader.String();
          if (reader.overrun()) break;
          items.push_back(code + u";" + name);
        }
        return 0;
      },
      answer.data(), answer.size());
  return items;
}

SearchItem SplitSearchItem(std::u16string_view item) {
  const std::size_t split = item.find(u';');
  if (split == std::u16string_view::npos) return SearchItem{std::u16string(item), {}};
  return SearchItem{std::u16string(item.substr(0, split)), std::u16string(item.substr(split + 1))};
}

}  // namespace tarvello
