// The two receivers of CCommunicate: RecieveData (direct mode and pass-through) and
// RecieveHttpData (WAP mode).
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>

#include "protocol/answer_length.h"
#include "protocol/communicate.h"
#include "protocol/http_framing.h"

namespace tarvello {

CCommunicate::Chunk CCommunicate::ReceiveChunk(std::span<std::uint8_t> into) {
  const ssize_t got = ReceiveSome(fd_, into.data(), into.size());
  if (cancelled_) return {WaitResult::kWoken, 0};
  if (got < 0 && errno == EAGAIN) return {WaitResult::kTimeout, 0};
  return {WaitResult::kReady, got};
}

int CCommunicate::AfterCancel() {
  // The rest of the cancelled answer must not be read as the next one: drop the connection.
  CloseSocket();
  return -1;
}

int CCommunicate::Reopen(const char* reason) {
  log_.Write(reason);
  CloseSocket();
  Pause();
  Connect();
  return 0;
}

namespace {

// True while bytes begin as an HTTP answer whose head has not reached its blank line.
bool HeadStillComing(std::span<const std::uint8_t> bytes) {
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  constexpr std::string_view kStatus = "HTTP/";
  const bool answer =
      text.size() < kStatus.size() ? kStatus.starts_with(text) : text.starts_with(kStatus);
  return answer && text.find("\r\n\r\n") == std::string_view::npos;
}

}  // namespace

int CCommunicate::RecieveData(std::span<std::uint8_t> buffer) {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  log_.Write("CCommunicate::RecieveData");
  const Clock::time_point start = Clock::now();
  if (fd_ < 0) return -1;
  std::uint8_t chunk[kChunkSize];
  std::size_t total = 0;
  std::optional<HttpAnswerHead> head;  // pass-through: the answer's HTTP header
  for (bool first = true;; first = false) {
    Chunk received = ReceiveChunk(chunk);
    while (!first && received.wait == WaitResult::kTimeout &&
           ElapsedMs(start) < timings_.answer_deadline.count()) {
      received = ReceiveChunk(chunk);
    }
    if (received.wait == WaitResult::kWoken) return AfterCancel();
    if (received.wait != WaitResult::kReady) return Reopen("NOT FINE");
    if (received.size == 0) return Reopen("DISCONNECT");
    if (received.size < 0) return Reopen("DISCONNECT 2");
    if (cancelled_) return AfterCancel();
    const auto size = static_cast<std::size_t>(received.size);
    // A chunk that does not fit would leave a gap in the answer: the buffer is full.
    if (buffer.size() - total <= size) return Reopen("DISCONNECT");
    std::memcpy(buffer.data() + total, chunk, size);
    total += size;
    if (pass_through_) {
      // The answer's length comes from its HTTP head, which may arrive over several chunks; an
      // answer that does not begin as one, or whose head ended without a length, is all it holds.
      if (!head) head = ParseAnswerHead(buffer.first(total));
      if (head ? total - head->header_length >= head->content_length
               : !HeadStillComing(buffer.first(total))) {
        break;
      }
    } else {
      // Complete when the container's own block lengths reach its closing "}": a "}" that merely
      // ends a chunk inside a block proves nothing. Bytes that can never form a container leave
      // the stream out of step, so the connection starts afresh.
      const long complete = AnswerLength(buffer.first(total));
      if (complete < 0) return Reopen("NOT FINE");
      if (complete > 0) {
        log_.Write("OK");
        break;
      }
    }
  }
  log_.WriteNumber("RecieveData end %d", ElapsedMs(start));
  return static_cast<int>(total);
}

// Reads until the header buffer holds a complete answer header. Nothing when the wait runs out
// first; sets failed (and the result) when the connection breaks or the exchange is cancelled.
std::optional<HttpAnswerHead> CCommunicate::ReceiveHttpHead(std::span<std::uint8_t> header,
                                                           std::size_t& used, int& failed) {
  for (;;) {
    if (used == header.size()) break;  // a header longer than any real gateway sends
    const Chunk received = ReceiveChunk(header.subspan(used));
    if (received.wait == WaitResult::kWoken) {
      failed = AfterCancel();
      return std::nullopt;
    }
    if (received.wait != WaitResult::kReady) return std::nullopt;
    if (received.size <= 0) break;
    used += static_cast<std::size_t>(received.size);
    if (auto head = ParseAnswerHead(header.first(used))) return head;
  }
  log_.Write("DISCONNECT");
  failed = -1;
  return std::nullopt;
}

int CCommunicate::RecieveHttpData(std::span<std::uint8_t> buffer) {
  std::lock_guard<std::recursive_mutex> exchange(exchange_mutex_);
  log_.Write("CCommunicate::RecieveData");
  const Clock::time_point start = Clock::now();
  if (fd_ < 0) return -1;
  std::uint8_t chunk[kChunkSize];
  std::size_t used = 0;
  int failed = 0;
  const std::optional<HttpAnswerHead> head = ReceiveHttpHead(chunk, used, failed);
  if (failed != 0) return failed;
  // A gateway that could not reach the server answers with an error page of its own: that body
  // is not the server's answer, so the exchange brings nothing.
  if (head && IsErrorStatus(head->status)) {
    log_.WriteNumber("HttpStatus %d", head->status);
    return 0;
  }
  const std::size_t content = head ? head->content_length : 0;
  // Only the body is stored, and never more than the buffer holds.
  const std::size_t room = std::min(content, buffer.size());
  std::size_t body = 0;
  if (head) {
    log_.WriteNumber("ContentLen %d", static_cast<int>(content));
    body = used - head->header_length;
    std::memcpy(buffer.data(), chunk + head->header_length, std::min(body, room));
    if (body >= content) return cancelled_ ? AfterCancel() : static_cast<int>(room);
  }
  while (body < content) {
    const Chunk received = ReceiveChunk(chunk);
    if (received.wait == WaitResult::kWoken || cancelled_) return AfterCancel();
    if (received.wait != WaitResult::kReady) break;
    if (received.size <= 0) return -1;
    const auto size = static_cast<std::size_t>(received.size);
    if (body < room) std::memcpy(buffer.data() + body, chunk, std::min(size, room - body));
    body += size;
  }
  const int stored = static_cast<int>(std::min(body, room));
  log_.WriteNumber("IReturn %d", stored);
  log_.WriteNumber("RecieveData end %d", ElapsedMs(start));
  return stored;
}

}  // namespace tarvello
