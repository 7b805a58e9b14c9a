#include "base/program_folder.h"

#include <algorithm>

namespace tarvello {
namespace {

std::string& Folder() {
  static std::string folder = ".";
  return folder;
}

}  // namespace

void SetProgramFolder(std::string folder) {
  std::replace(folder.begin(), folder.end(), '\\', '/');
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  Folder() = folder.empty() ? "." : std::move(folder);
}

const std::string& ProgramFolder() { return Folder(); }

std::string ProgramPath(std::string_view name) {
  std::string relative(name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  std::size_t start = relative.find_first_not_of('/');
  relative.erase(0, start == std::string::npos ? relative.size() : start);
  const std::string& folder = Folder();
  return folder == "/" ? "/" + relative : folder + "/" + relative;
}

}  // namespace tarvello
