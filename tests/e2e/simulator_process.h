// Test support for the end-to-end tests: finding the built programs and running one as a child
// process with its output in files; the built simulator as such a process on loopback ports (0:
// free ones, read back from the line it prints at start), and the deployment file that points a
// terminal at it.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvello::testing {

// The built program of that name: bin/<name> in the build folder that holds this test program.
std::optional<std::filesystem::path> FindBuiltProgram(const std::string& name);

// A child process with stdout and stderr going to files. The destructor kills it (if it still
// runs) and waits for it.
class ChildProcess {
 public:
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::filesystem::path& out, const std::filesystem::path& err,
               const std::vector<std::string>& extra_env = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  bool started() const { return pid_ > 0; }
  // The exit code once the child has ended within the limit; nothing while it runs.
  std::optional<int> WaitForExit(std::chrono::milliseconds limit);

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

struct SimulatorPorts {
  int quote = 0;
  int gateway = 0;
  int info = 0;  // the information HTTP port
};

class SimulatorProcess {
 public:
  SimulatorProcess(const std::filesystem::path& folder, SimulatorPorts ports = {},
                   const std::vector<std::string>& extra_args = {});

  // The ports it listens on, once it says so; none when it did not start within 30 seconds.
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
