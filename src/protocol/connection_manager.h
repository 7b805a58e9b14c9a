// ConnectionManager: the platform's connection manager and configuration service, as the network
// bring-up sees them. The handheld has both built in; this build gives the bring-up a substitute
// (ScriptedConnection) that returns what the platform would for the network case of the deployment.
// Implementations must be safe to call from the start-up thread, an exchanging worker and the
// user-interface thread.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

inline constexpr std::uint32_t kConnectionStatusConnected = 0x10;
// A test-only request reports this when the connection could be made without being made.
inline constexpr std::uint32_t kConnectionStatusWouldConnect = 0x23;

// Cellular subtypes of a connection.
enum CellularSubtype : int {
  kSubtypeCsd = 1,
  kSubtypeGprs = 2,
  kSubtypeCdma1x = 3,
  kSubtypeCdmaEvdo = 4,
  kSubtypeCdmaEvdv = 5,
  kSubtypeEdge = 6,
  kSubtypeUmts = 7,
};

struct ConnectionDetail {
  std::uint32_t status = 0;
  bool cellular = false;
  int subtype = 0;
  std::u16string description;  // for a cellular connection: the name of its connection entry
  std::u16string destination;  // destination network identifier, "{...}"
};

struct DestinationNetwork {
  std::u16string name;
  std::u16string identifier;
};

// A connection request: what to reach, which proxies it may use, its priority.
struct ConnectionRequest {
  std::u16string destination;
  std::uint32_t proxies = 0;
  std::uint32_t priority = 0;
  bool test_only = false;  // the request's disabled option: find out, dial nothing
  int max_latency_ms = 0;
};

using ConnectionHandle = std::uint64_t;  // 0 = none

class ConnectionManager {
 public:
  virtual ~ConnectionManager() = default;

  virtual std::vector<ConnectionDetail> QueryDetailedStatus() = 0;
  // Processes a provisioning document; the answer document, or nothing when it was refused.
  virtual std::optional<std::u16string> ProcessConfigXml(std::u16string_view document) = 0;
  // The destination network at index, or nothing past the last one.
  virtual std::optional<DestinationNetwork> EnumDestination(int index) = 0;
  // Establishes and waits at most timeout_ms; the final status, and the handle to release.
  virtual std::uint32_t EstablishSync(const ConnectionRequest& request, int timeout_ms,
                                      ConnectionHandle& handle) = 0;
  // Requests a connection without waiting; false when the request was not accepted.
  virtual bool EstablishAsync(const ConnectionRequest& request, ConnectionHandle& handle) = 0;
  // Waits at most wait_ms for the request's status; nothing on time-out.
  virtual std::optional<std::uint32_t> WaitStatus(ConnectionHandle handle, int wait_ms) = 0;
  virtual void Release(ConnectionHandle handle) = 0;
};

}  // namespace tarvello
