// Treats the input as a command line, one argument per NUL-separated piece, for both programs, and
// the same pieces as the home and XDG folders of the folder rule. A refused line always says why
// and leaves the terminal's options as they were; an accepted terminal screen size is in range;
// the folder rule always names a folder for the shipped files.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "server/server_options.h"
#include "shell/app_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  std::vector<std::string> args(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.emplace_back();
    } else {
      args.back().push_back(static_cast<char>(data[i]));
    }
  }
  AppOptions options;
  std::string error;
  if (ParseAppOptions(args, options, error)) {
    for (const int side : {options.screen.width, options.screen.height}) {
      if (side < kMinScreenSide || side > kMaxScreenSide) abort();
    }
  } else if (error.empty() || options.scale != 1.0 || !options.home.empty()) {
    abort();
  }
  error.clear();
  if (!server::ParseServerOptions(args, error) && error.empty()) abort();

  FolderFacts facts;
  facts.home_option = args.front();
  facts.executable_folder = args.size() > 1 ? args[1] : "";
  facts.xdg_data_home = args.size() > 2 ? args[2] : "";
  facts.user_home = args.size() > 3 ? args[3] : "";
  facts.executable_folder_has_pictures = size % 2 == 1;
  facts.executable_folder_writable = size % 3 == 1;
  if (ChooseProgramFolders(facts).shipped.empty()) abort();
  return 0;
}
