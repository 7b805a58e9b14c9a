// GBK <-> UTF-16 through iconv. Each thread keeps its own pair of conversion descriptors, since an
// iconv descriptor carries state and must not be shared between threads.
#include <iconv.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>

#include "text/text_codec.h"

namespace tarvello::text {

namespace {

static_assert(std::endian::native == std::endian::little,
              "char16_t buffers are handed to iconv as UTF-16LE");

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (ok()) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  iconv_t get() const { return cd_; }
  void Reset() { iconv(cd_, nullptr, nullptr, nullptr, nullptr); }

 private:
  iconv_t cd_;
};

Converter& GbkToUtf16() {
  thread_local Converter converter("UTF-16LE", "GBK");
  return converter;
}

Converter& Utf16ToGbk() {
  thread_local Converter converter("GBK", "UTF-16LE");
  return converter;
}

bool IsAscii(std::string_view bytes) {
  for (char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

bool IsAscii(std::u16string_view text) {
  for (char16_t c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::u16string FromGbk(std::string_view bytes) {
  if (IsAscii(bytes)) return FromAscii(bytes);
  Converter& converter = GbkToUtf16();
  if (!converter.ok()) return FromAscii(bytes);
  converter.Reset();

  // Every GBK byte yields at most one UTF-16 unit, so the output never needs to grow.
  std::u16string out(bytes.size(), u'\0');
  char* in = const_cast<char*>(bytes.data());
  std::size_t in_left = bytes.size();
  char* dest = reinterpret_cast<char*>(out.data());
  std::size_t dest_left = out.size() * sizeof(char16_t);
  while (in_left > 0) {
    if (iconv(converter.get(), &in, &in_left, &dest, &dest_left) != static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno == E2BIG) break;  // cannot happen given the sizing above; stop rather than loop
    // EILSEQ: a byte that starts no GBK character. EINVAL: a lead byte cut off at the end.
    const char16_t replacement = kReplacement;
    std::memcpy(dest, &replacement, sizeof replacement);
    dest += sizeof replacement;
    dest_left -= sizeof replacement;
    ++in;
    --in_left;
    converter.Reset();
  }
  out.resize(out.size() - dest_left / sizeof(char16_t));
  return out;
}

std::string ToGbk(std::u16string_view text) {
  if (IsAscii(text)) return ToAscii(text);
  Converter& converter = Utf16ToGbk();
  if (!converter.ok()) return ToAscii(text);
  converter.Reset();

  // A BMP character takes at most two GBK bytes (GB18030's four-byte forms are not GBK).
  std::string out(text.size() * 2, '\0');
  char* in = reinterpret_cast<char*>(const_cast<char16_t*>(text.data()));
  std::size_t in_left = text.size() * sizeof(char16_t);
  char* dest = out.data();
  std::size_t dest_left = out.size();
  while (in_left > 0) {
    if (iconv(converter.get(), &in, &in_left, &dest, &dest_left) != static_cast<std::size_t>(-1)) {
      break;
    }
    if (errno == E2BIG || dest_left == 0) break;
    // A character GBK cannot hold (or a lone surrogate) becomes "?". A surrogate pair is one
    // character and so one "?".
    char16_t unit;
    std::memcpy(&unit, in, sizeof unit);
    std::size_t skip = sizeof(char16_t);
    if (unit >= 0xD800 && unit <= 0xDBFF && in_left >= 2 * sizeof(char16_t)) {
      char16_t next;
      std::memcpy(&next, in + sizeof(char16_t), sizeof next);
      if (next >= 0xDC00 && next <= 0xDFFF) skip *= 2;
    }
    *dest++ = '?';
    --dest_left;
    in += skip;
    in_left -= std::min(skip, in_left);
    converter.Reset();
  }
  out.resize(out.size() - dest_left);
  return out;
}

}  // namespace tarvello::text
