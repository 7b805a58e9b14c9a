#include "server/network/info_connection.h"

namespace tarvello::server {

void InfoConnection::Read() {
  socket_.async_read_some(asio::buffer(chunk_), [self = std::static_pointer_cast<InfoConnection>(shared_from_this())](
                                                    const asio::error_code& error, std::size_t count) {
    if (error) {
      self->Finish();
      return;
    }
    self->received_.insert(self->received_.end(), self->chunk_.begin(), self->chunk_.begin() + static_cast<std::ptrdiff_t>(count));
    const InfoRequest request = ReadInfoRequest(self->received_);
    if (request.status == InfoRequestStatus::kNeedMore) {
      self->Read();
      return;
    }
    if (request.status == InfoRequestStatus::kBad) {
      self->Reply("HTTP/1.1 400 Bad Request\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      return;
    }
    self->Reply(InfoReply(request.path, self->router_(request.path)));
  });
}

void InfoConnection::Reply(std::string reply) {
  reply_ = std::move(reply);
  asio::async_write(socket_, asio::buffer(reply_), [self = std::static_pointer_cast<InfoConnection>(shared_from_this())](
                                                       const asio::error_code&, std::size_t) { self->Finish(); });
}

}  // namespace tarvello::server
