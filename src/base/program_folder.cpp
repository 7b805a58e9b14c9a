#include "base/program_folder.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace tarvello {
namespace {

std::string Tidy(std::string folder) {
  std::replace(folder.begin(), folder.end(), '\\', '/');
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder.empty() ? "." : folder;
}

std::string PathIn(const std::string& folder, std::string_view name) {
  std::string relative(name);
  std::replace(relative.begin(), relative.end(), '\\', '/');
  std::size_t start = relative.find_first_not_of('/');
  relative.erase(0, start == std::string::npos ? relative.size() : start);
  return folder == "/" ? "/" + relative : folder + "/" + relative;
}

std::string ExecutableFolder() {
  std::error_code error;
  std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string(".") : executable.parent_path().string();
}

std::string& Folder() {
  static std::string folder = ".";
  return folder;
}

std::string& Shipped() {
  static std::string folder = ExecutableFolder();
  return folder;
}

std::string UserHome() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  long size = sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) return {};
  return found->pw_dir != nullptr ? found->pw_dir : "";
}

std::string UserDataFolder(const FolderFacts& facts) {
  if (!facts.xdg_data_home.empty() && facts.xdg_data_home.front() == '/') {
    return PathIn(Tidy(facts.xdg_data_home), kUserDataFolderName);
  }
  if (facts.user_home.empty()) return {};
  return PathIn(Tidy(facts.user_home), ".local/share/" + std::string(kUserDataFolderName));
}

}  // namespace

ProgramFolders ChooseProgramFolders(const FolderFacts& facts) {
  ProgramFolders folders;
  const std::string executable = Tidy(facts.executable_folder);
  folders.portable = facts.executable_folder_writable && facts.executable_folder_has_pictures;
  // A copy that carries its pictures reads them from beside itself even where it cannot write.
  folders.shipped = facts.executable_folder_has_pictures
                        ? executable
                        : Tidy(std::filesystem::path(PathIn(executable, kInstalledDataFolder)).lexically_normal().string());
  if (!facts.home_option.empty()) {
    folders.program = Tidy(facts.home_option);
  } else {
    folders.program = folders.portable ? executable : UserDataFolder(facts);
  }
  return folders;
}

FolderFacts ReadFolderFacts(std::string home_option) {
  FolderFacts facts;
  facts.home_option = std::move(home_option);
  facts.executable_folder = ExecutableFolder();
  facts.executable_folder_writable = access(facts.executable_folder.c_str(), W_OK) == 0;
  std::error_code error;
  facts.executable_folder_has_pictures =
      std::filesystem::is_directory(std::filesystem::path(facts.executable_folder) / "Picture", error);
  if (const char* xdg = std::getenv("XDG_DATA_HOME")) facts.xdg_data_home = xdg;
  facts.user_home = UserHome();
  return facts;
}

void SetProgramFolder(std::string folder) { Folder() = Tidy(std::move(folder)); }

const std::string& ProgramFolder() { return Folder(); }

std::string ProgramPath(std::string_view name) { return PathIn(Folder(), name); }

void SetShippedFolder(std::string folder) { Shipped() = Tidy(std::move(folder)); }

const std::string& ShippedFolder() { return Shipped(); }

std::string ShippedPath(std::string_view name) { return PathIn(Shipped(), name); }

}  // namespace tarvello
