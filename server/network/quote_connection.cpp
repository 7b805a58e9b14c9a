#include "server/network/quote_connection.h"

namespace tarvello::server {

void QuoteConnection::Read() {
  socket_.async_read_some(asio::buffer(chunk_), [self = std::static_pointer_cast<QuoteConnection>(shared_from_this())](
                                                    const asio::error_code& error, std::size_t count) {
    if (error) {
      self->Finish();
      return;
    }
    self->received_.insert(self->received_.end(), self->chunk_.begin(), self->chunk_.begin() + static_cast<std::ptrdiff_t>(count));
    self->Serve();
  });
}

void QuoteConnection::Serve() {
  const FrameResult frame = FrameRequest(received_);
  if (frame.status == FrameStatus::kMalformed) {
    Finish();
    return;
  }
  if (frame.status == FrameStatus::kNeedMore) {
    Read();
    return;
  }
  reply_ = handler_.Answer(frame.packets);
  received_.erase(received_.begin(), received_.begin() + static_cast<std::ptrdiff_t>(frame.consumed));
  asio::async_write(socket_, asio::buffer(reply_), [self = std::static_pointer_cast<QuoteConnection>(shared_from_this())](
                                                       const asio::error_code& error, std::size_t) {
    if (error) {
      self->Finish();
      return;
    }
    self->Serve();
  });
}

}  // namespace tarvello::server
