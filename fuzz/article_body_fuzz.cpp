// Takes arbitrary bytes as the answer of an article download (an HTTP header or none, then the
// text) and as the identifier of the request. The body never reaches past the input, and a
// request, when one is made, stays within its buffer and holds exactly one blank line at its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "info/article_download.h"
#include "text/text_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::u16string body = ArticleBody(std::span(data, size));
  if (body.size() > size) std::abort();
  const std::u16string identifier =
      text::FromUtf8(std::string_view(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 300)));
  if (const auto request = ArticleRequest("127.0.0.1", 8081, size > 0 ? data[0] : 1, u"SH600001", identifier)) {
    if (request->size() > kArticleRequestLimit || request->find("\r\n\r\n") != request->size() - 4) std::abort();
  }
  return 0;
}
