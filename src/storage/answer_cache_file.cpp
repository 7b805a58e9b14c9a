#include "storage/answer_cache_file.h"

#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <optional>

namespace tarvello {
namespace {

constexpr std::string_view kHeader{"TVCACHE\x01", 8};
// Record length (4), key length (2), moment (8), check (4).
constexpr std::size_t kLengthSize = 4;
constexpr std::size_t kKeyLengthSize = 2;
constexpr std::size_t kMomentSize = 8;
constexpr std::size_t kCheckSize = 4;
// A record's body: the key length, the key, the moment and the answer's bytes.
constexpr std::size_t kBodyFloor = kKeyLengthSize + kMomentSize;
// Moments are kept from 1970 to about 2286; a record outside that is damaged.
constexpr std::int64_t kLatestMoment = 10'000'000'000'000;

void AppendLittle(std::string& out, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

std::uint64_t ReadLittle(std::string_view bytes, std::size_t at, std::size_t width) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    value |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

std::uint32_t Check(std::string_view body) {
  return static_cast<std::uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size())));
}

long long MillisecondsOf(std::chrono::system_clock::time_point moment) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(moment.time_since_epoch()).count();
}

// The entry a checked body holds; none when its key length does not fit it.
std::optional<CacheEntry> ReadBody(std::string_view body) {
  const std::size_t keyLength = ReadLittle(body, 0, kKeyLengthSize);
  if (keyLength == 0 || keyLength > kMaxCacheKeyLength || kBodyFloor + keyLength > body.size()) return std::nullopt;
  CacheEntry entry;
  entry.key.assign(body.substr(kKeyLengthSize, keyLength));
  const auto ms = static_cast<std::int64_t>(ReadLittle(body, kKeyLengthSize + keyLength, kMomentSize));
  if (ms < 0 || ms > kLatestMoment) return std::nullopt;
  entry.moment = std::chrono::system_clock::time_point(
      std::chrono::duration_cast<std::chrono::system_clock::duration>(std::chrono::milliseconds(ms)));
  const std::string_view data = body.substr(kBodyFloor + keyLength);
  entry.bytes.assign(data.begin(), data.end());
  return entry;
}

std::string Digest(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

}  // namespace

std::string CacheKeyNaming(std::string head, std::string_view named) {
  if (head.size() + named.size() <= kMaxCacheKeyLength) return head.append(named);
  return head + "#" + Digest(named);
}

std::size_t CacheRecordSize(const CacheEntry& entry) {
  return kLengthSize + kBodyFloor + entry.key.size() + entry.bytes.size() + kCheckSize;
}

std::string EncodeCacheFile(const std::vector<CacheEntry>& entries) {
  std::string out(kHeader);
  for (const CacheEntry& entry : entries) {
    std::string body;
    AppendLittle(body, entry.key.size(), kKeyLengthSize);
    body += entry.key;
    AppendLittle(body, static_cast<std::uint64_t>(MillisecondsOf(entry.moment)), kMomentSize);
    body.append(reinterpret_cast<const char*>(entry.bytes.data()), entry.bytes.size());
    AppendLittle(out, body.size(), kLengthSize);
    out += body;
    AppendLittle(out, Check(body), kCheckSize);
  }
  return out;
}

std::vector<CacheEntry> DecodeCacheFile(std::string_view file) {
  std::vector<CacheEntry> entries;
  if (file.substr(0, kHeader.size()) != kHeader) return entries;
  std::size_t at = kHeader.size();
  while (file.size() - at >= kLengthSize + kCheckSize) {
    const std::uint64_t length = ReadLittle(file, at, kLengthSize);
    if (length > file.size() - at - kLengthSize - kCheckSize) break;
    const std::string_view body = file.substr(at + kLengthSize, length);
    const bool checked = ReadLittle(file, at + kLengthSize + length, kCheckSize) == Check(body);
    at += kLengthSize + length + kCheckSize;
    if (!checked || length < kBodyFloor) continue;
    if (std::optional<CacheEntry> entry = ReadBody(body)) entries.push_back(std::move(*entry));
  }
  return entries;
}

}  // namespace tarvello
