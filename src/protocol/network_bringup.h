// NetworkBringUp: finds out whether a data connection is up and of which kind, sets up the
// program's own network and connection entries for the user's carrier when there is none, decides
// between WAP mode (through the carrier's gateway) and direct mode, and runs the dial flow.
//
// It works through a ConnectionManager (the platform or its substitute). Log lines go to the
// communication log and connection failures to the error record through the callbacks given at
// construction. Safe from any thread: the held connection, the remembered destination and the
// provisioned flag are guarded by one lock, never held across a call into the manager that waits.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "protocol/connection_manager.h"
#include "protocol/provisioning_documents.h"

namespace tarvello {

enum class TransportMode { kDirect, kWap };

struct ConnectionState {
  bool connected = false;
  bool gprs = false;
  std::u16string entry;  // the connection entry of a GPRS connection
};

// What the dial flow shows: the progress window and message boxes (caption "提示").
class DialPresenter {
 public:
  virtual ~DialPresenter() = default;
  virtual void ShowProgress(std::u16string_view text) = 0;
  virtual void SetProgressText(std::u16string_view text) = 0;
  virtual void HideProgress() = 0;
  virtual void ShowMessage(std::u16string_view text, std::u16string_view caption) = 0;
};

class NetworkBringUp {
 public:
  struct Hooks {
    std::function<void(std::string_view)> log;               // one communication-log line
    std::function<void(std::u16string_view)> record_error;   // the error record's text
    std::function<void(int milliseconds)> sleep;             // the pause after connecting
  };

  NetworkBringUp(ConnectionManager& manager, std::u16string cdma_user, std::u16string cdma_password,
                 Hooks hooks);

  ConnectionState QueryConnection();
  void ProvisionCarrier(int carrier);
  bool ConnectProvisioned();
  bool IsKnownAccessPoint(std::u16string_view entry);
  bool IsWapAccessPoint(std::u16string_view entry);
  bool RequestConnectionAgain();
  // 0 available, 1 not available, -1 when the platform did not answer in time.
  int IsAvailable(TransportMode mode);
  void ReleaseConnection();

  // WAP mode when connected over GPRS through a WAP access point, direct mode otherwise.
  TransportMode DecideTransportMode(const ConnectionState& state);

  // The start-up's bring-up: the connection there is, or the carrier's own one after
  // provisioning. Nothing when there is none, or when a GPRS connection's access point is not
  // one the program knows (that connection is then released).
  std::optional<TransportMode> StartUp(int carrier);

  // The dial flow of the redial question and of the start dialog's dial button.
  std::optional<TransportMode> Dial(DialPresenter& presenter);

  bool provisioned() const;

 private:
  std::optional<std::u16string> FindOwnDestination();
  AccessPointKind QueryAccessPoint(std::u16string_view entry);
  void ReleaseHeld();
  void Log(std::string_view line) const;

  ConnectionManager& manager_;
  const std::u16string cdma_user_;
  const std::u16string cdma_password_;
  const Hooks hooks_;

  mutable std::mutex mutex_;
  ConnectionHandle held_ = 0;          // guarded by mutex_
  std::u16string destination_;         // guarded by mutex_
  bool provisioned_ = false;           // guarded by mutex_
};

}  // namespace tarvello
