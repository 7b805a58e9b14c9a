// RedialQuestion: what the transport does when it cannot open a connection for an exchange. The
// network bring-up implements it: when the data connection cannot be requested again it asks
// the user whether to dial again and dials on Yes. The exchange itself returns no data either
// way. Ask runs on the exchanging thread while it holds the exchange lock.
//
// NoConnectionManager is the answer until the network bring-up exists: there is no connection
// manager to ask, so nothing happens.
#pragma once

namespace tarvello {

class RedialQuestion {
 public:
  virtual ~RedialQuestion() = default;
  virtual void Ask() = 0;
};

class NoConnectionManager final : public RedialQuestion {
 public:
  void Ask() override {}
};

}  // namespace tarvello
