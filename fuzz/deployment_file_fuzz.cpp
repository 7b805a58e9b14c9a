// Treats the input as "Deployment.ini", as a person's editor may have left it. Whatever it holds,
// loading ends with every port in range and every value the file lacks at its shipped value, and
// the file is read, never rewritten.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include "fuzz_folder.h"
#include "settings/deployment.h"

namespace {

bool PortInRange(int port) { return port > 0 && port < 65536; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::filesystem::path& folder = fuzz::FuzzFolder("tarvello-deployment");
  const std::filesystem::path file = folder / kDeploymentFileName;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  const Deployment deployment = LoadDeployment(folder);
  if (!PortInRange(deployment.quote_port) || !PortInRange(deployment.info_port) ||
      !PortInRange(deployment.gateway_port)) {
    abort();
  }
  std::ifstream in(file, std::ios::binary);
  if (std::string(std::istreambuf_iterator<char>(in), {}) != bytes) abort();
  return 0;
}
