#include "simulator_process.h"

#include <cstdio>

#include "platform/qt_test_app.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

namespace tarvello::testing {
namespace {

std::vector<std::string> Arguments(SimulatorPorts ports, const std::vector<std::string>& extra) {
  std::vector<std::string> args{"--port",      std::to_string(ports.quote), "--gateway-port", std::to_string(ports.gateway),
                                "--info-port", std::to_string(ports.info)};
  args.insert(args.end(), extra.begin(), extra.end());
  return args;
}

}  // namespace

SimulatorProcess::SimulatorProcess(const std::filesystem::path& folder, SimulatorPorts ports,
                                   const std::vector<std::string>& extra_args)
    : out_(folder / "quoted.out"),
      err_(folder / "quoted.err"),
      process_(*FindBuiltProgram("tarvello-quoted"), Arguments(ports, extra_args), out_, err_) {}

std::optional<SimulatorPorts> SimulatorProcess::WaitForPorts() {
  SimulatorPorts ports;
  const bool found = ProcessEventsUntil([&] {
    return std::sscanf(ReadBytes(out_).c_str(), "tarvello-quoted: quote port %d, gateway port %d, info port %d",
                       &ports.quote, &ports.gateway, &ports.info) == 3;
  });
  return found ? std::optional<SimulatorPorts>(ports) : std::nullopt;
}

std::string SimulatorProcess::Log() const { return ReadBytes(err_); }

void WriteDeploymentFor(const std::filesystem::path& folder, SimulatorPorts ports) {
  std::string ini = "[SERVERS]\r\nPORT=" + std::to_string(ports.quote) + "\r\n[GATEWAY]\r\nPORT=" +
                    std::to_string(ports.gateway) + "\r\n";
  if (ports.info != 0) ini += "[INFOSERVERS]\r\nINFOPORT=" + std::to_string(ports.info) + "\r\n";
  WriteBytes(folder / "Deployment.ini", EncodeUtf16Le(text::FromUtf8(ini)));
}

}  // namespace tarvello::testing
