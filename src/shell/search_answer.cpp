#include "shell/search_answer.h"

#include <algorithm>
#include <cstring>

#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {
namespace {

constexpr std::size_t kBlockHeader = 6;
constexpr int kCompressedAttribute = 2;

// The whole items of one block body [start, end): a count, then code and name per item.
std::vector<std::u16string> ReadItems(const std::uint8_t* bytes, std::size_t start, std::size_t end) {
  std::vector<std::u16string> items;
  BlockReader reader(bytes, start, end);
  const int count = reader.Int16();
  for (int i = 0; i < count; ++i) {
    std::u16string code = reader.String();
    std::u16string name = reader.String();
    if (reader.overrun()) break;
    items.push_back(code + u";" + name);
  }
  return items;
}

// A long result list can fill the answer buffer, so the transport hands over the answer cut where
// the buffer ended: the search block's stated length runs past the bytes. The items before the cut
// are still good. Empty when the answer is not so cut.
std::vector<std::u16string> ReadCutBlock(std::span<const std::uint8_t> answer) {
  const void* open = std::memchr(answer.data(), '{', answer.size());
  if (open == nullptr) return {};
  const auto start = static_cast<std::size_t>(static_cast<const std::uint8_t*>(open) - answer.data()) + 1;
  if (answer.size() - start < kBlockHeader) return {};
  BlockReader header(answer.data(), start, answer.size());
  const int type = header.Int16();
  const int attribute = header.Int16();
  const int length = header.Int16();
  const std::size_t body = start + kBlockHeader;
  if (type != kSecuritySearch || attribute == kCompressedAttribute || length <= 0 ||
      static_cast<std::size_t>(length) <= answer.size() - body) {
    return {};
  }
  return ReadItems(answer.data(), body, answer.size());
}

}  // namespace

std::vector<std::u16string> ReadSearchAnswer(std::span<const std::uint8_t> answer) {
  std::vector<std::u16string> items;
  const bool whole = ParseContainer(
      [&items](int type, const std::uint8_t* bytes, std::size_t start, std::size_t end) {
        if (type == kSecuritySearch && items.empty()) items = ReadItems(bytes, start, end);
        return 0;
      },
      answer.data(), answer.size());
  if (!whole && items.empty()) items = ReadCutBlock(answer);
  return items;
}

SearchItem SplitSearchItem(std::u16string_view item) {
  const std::size_t split = item.find(u';');
  if (split == std::u16string_view::npos) return SearchItem{std::u16string(item), {}};
  return SearchItem{std::u16string(item.substr(0, split)), std::u16string(item.substr(split + 1))};
}

}  // namespace tarvello
