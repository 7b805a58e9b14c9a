// Test support for the end-to-end tests: the built simulator as a child process on loopback
// ports (0: free ones, read back from the line it prints at start), and the deployment file that
// points a terminal at it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"

namespace tarvello::testing {

struct SimulatorPorts {
  int quote = 0;
  int gateway = 0;
  int info = 0;  // the information HTTP port
};

class SimulatorProcess {
 public:
  SimulatorProcess(const std::filesystem::path& folder, SimulatorPorts ports = {},
                   const std::vector<std::string>& extra_args = {});

  // The ports it listens on, once it says so; none when it did not start within seconds.
  std::optional<SimulatorPorts> WaitForPorts();
  // What it wrote on standard error (registrations, error reports).
  std::string Log() const;

 private:
  std::filesystem::path out_;
  std::filesystem::path err_;
  ChildProcess process_;
};

// Writes a Deployment.ini in folder that sends the terminal's quote requests to quote_port, its
// gateway requests to gateway_port and, when it is known, its information requests to info_port.
void WriteDeploymentFor(const std::filesystem::path& folder, SimulatorPorts ports);

}  // namespace tarvello::testing
