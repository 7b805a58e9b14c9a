// ScriptedConnection: the stand-in for the platform's connection manager and configuration service
// on a machine that has neither. It answers as the platform would for the network case of the
// deployment, so that every branch of the bring-up runs here:
//   desktop             a desktop link is up (direct mode);
//   gprs                a GPRS connection through the deployment's access point is up;
//   cdma                a CDMA connection is up (direct mode);
//   dial                nothing is up until the program provisions its own entries, then its
//                       own connection comes up (through "cmnet"/"3gnet", or dial-up for carrier 2);
//   none                nothing is up, and connecting the program's own entry fails;
//   provisioning-fails  nothing is up, and the configuration service refuses every document.
// Every document it is handed is appended, one per line in UTF-8, to a log file in the program
// folder so that it can be inspected. Safe from any thread (one lock over its state).
#pragma once

#include <filesystem>
#include <map>
#include <mutex>

#include "protocol/connection_manager.h"
#include "settings/deployment.h"

namespace tarvello {

inline constexpr std::string_view kProvisioningLogName = "Provisioning.log";

class ScriptedConnection : public ConnectionManager {
 public:
  ScriptedConnection(NetworkCase network_case, std::u16string access_point, std::filesystem::path document_log);

  std::vector<ConnectionDetail> QueryDetailedStatus() override;
  std::optional<std::u16string> ProcessConfigXml(std::u16string_view document) override;
  std::optional<DestinationNetwork> EnumDestination(int index) override;
  std::uint32_t EstablishSync(const ConnectionRequest& request, int timeout_ms, ConnectionHandle& handle) override;
  bool EstablishAsync(const ConnectionRequest& request, ConnectionHandle& handle) override;
  std::optional<std::uint32_t> WaitStatus(ConnectionHandle handle, int wait_ms) override;
  void Release(ConnectionHandle handle) override;

  // Handles handed out and not yet released (tests check that nothing leaks).
  std::size_t open_handles() const;

 private:
  bool AnyConnectionUp() const;  // requires mutex_
  std::u16string AccessPointOf(std::u16string_view entry) const;  // requires mutex_
  void AppendToLog(std::u16string_view document) const;

  const NetworkCase case_;
  const std::u16string access_point_;
  const std::filesystem::path document_log_;

  mutable std::mutex mutex_;
  int own_carrier_ = -1;           // guarded by mutex_; the carrier whose entries exist
  bool own_network_ = false;       // guarded by mutex_; "Morvane" exists
  bool own_connection_up_ = false;  // guarded by mutex_
  ConnectionHandle next_handle_ = 1;                        // guarded by mutex_
  std::map<ConnectionHandle, std::uint32_t> requests_;      // guarded by mutex_; handle -> status
};

}  // namespace tarvello
