#include "server/network/gateway_connection.h"

#include <algorithm>
#include <string_view>

#include "server/network/gateway_framing.h"

namespace tarvello::server {
namespace {

// Whether the bytes so far begin, or may still begin, a GET.
bool StartsAGet(const Bytes& bytes) {
  constexpr std::string_view kGet = "GET ";
  const std::size_t count = std::min(bytes.size(), kGet.size());
  return std::equal(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(count),
                    kGet.begin());
}

Bytes BytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }

}  // namespace

void GatewayConnection::Read() {
  socket_.async_read_some(asio::buffer(chunk_),
                          [self = std::static_pointer_cast<GatewayConnection>(shared_from_this())](
                              const asio::error_code& error, std::size_t count) {
                            if (error) {
                              self->Finish();
                              return;
                            }
                            self->received_.insert(
                                self->received_.end(), self->chunk_.begin(),
                                self->chunk_.begin() + static_cast<std::ptrdiff_t>(count));
                            if (self->site_ && StartsAGet(self->received_)) {
                              self->AnswerPageRequest();
                            } else {
                              self->AnswerExchange();
                            }
                          });
}

void GatewayConnection::AnswerExchange() {
  const GatewayRequest request = ParseGatewayRequest(received_);
  if (request.status == GatewayStatus::kNeedMore) return Read();
  if (request.status == GatewayStatus::kBad) return Reply(GatewayBadRequest());
  const FrameResult frame = FrameRequest(request.body);
  if (frame.status != FrameStatus::kComplete || frame.consumed != request.body.size()) {
    return Reply(GatewayBadRequest());
  }
  Reply(GatewayReply(handler_.Answer(frame.packets)));
}

void GatewayConnection::AnswerPageRequest() {
  const InfoRequest request = ReadInfoRequest(received_);
  if (request.status == InfoRequestStatus::kNeedMore) return Read();
  if (request.status == InfoRequestStatus::kBad) return Reply(GatewayBadRequest());
  Reply(BytesOf(InfoReply(request.path, site_(request.path))));
}

void GatewayConnection::Reply(Bytes reply) {
  reply_ = std::move(reply);
  asio::async_write(socket_, asio::buffer(reply_),
                    [self = std::static_pointer_cast<GatewayConnection>(shared_from_this())](
                        const asio::error_code&, std::size_t) { self->Finish(); });
}

}  // namespace tarvello::server
