#include "lists/batch_name_lookup.h"

#include "market/quote_block_readers.h"
#include "protocol/block_reader.h"
#include "protocol/container_parser.h"
#include "protocol/packet_codec.h"

namespace tarvello {

std::u16string NameInAnswer(const std::uint8_t* bytes, std::size_t length, const SecurityCode& code) {
  std::u16string name;
  const auto handler = [&](int type, const std::uint8_t* body, std::size_t start, std::size_t end) {
    if (type != kSecurityInfo || !name.empty()) return 0;
    BlockReader reader(body, start, end);
    SecurityInfo info;
    if (ReadSecurityInfo(reader, info) && info.code == code) name = std::move(info.name);
    return 0;
  };
  ParseContainer(handler, bytes, length);
  return name;
}

}  // namespace tarvello
