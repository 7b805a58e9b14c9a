#include "server/gateway_connection.h"

#include "server/gateway_framing.h"

namespace tarvello::server {

void GatewayConnection::Read() {
  socket_.async_read_some(asio::buffer(chunk_), [self = std::static_pointer_cast<GatewayConnection>(shared_from_this())](
                                                    const asio::error_code& error, std::size_t count) {
    if (error) {
      self->Finish();
      return;
    }
    self->received_.insert(self->received_.end(), self->chunk_.begin(), self->chunk_.begin() + static_cast<std::ptrdiff_t>(count));
    const GatewayRequest request = ParseGatewayRequest(self->received_);
    if (request.status == GatewayStatus::kNeedMore) {
      self->Read();
      return;
    }
    if (request.status == GatewayStatus::kBad) {
      self->Reply(GatewayBadRequest());
      return;
    }
    const FrameResult frame = FrameRequest(request.body);
    if (frame.status != FrameStatus::kComplete || frame.consumed != request.body.size()) {
      self->Reply(GatewayBadRequest());
      return;
    }
    self->Reply(GatewayReply(self->handler_.Answer(frame.packets)));
  });
}

void GatewayConnection::Reply(Bytes reply) {
  reply_ = std::move(reply);
  asio::async_write(socket_, asio::buffer(reply_), [self = std::static_pointer_cast<GatewayConnection>(shared_from_this())](
                                                       const asio::error_code&, std::size_t) { self->Finish(); });
}

}  // namespace tarvello::server
