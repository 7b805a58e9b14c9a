// The program folder: where the terminal keeps its configuration files and lists, and the shipped
// folder: where its pictures and broker catalogue come from. A portable copy (a writable executable
// folder that holds the pictures) keeps both in the executable's folder; an installed copy keeps the
// user's files under the XDG data folder and reads the shipped files from the installed data folder
// beside bin/ (share/tarvello). --home picks the program folder in both cases.
// Paths inside the folder use "/"; names written the handheld way ("Picture\\back.jpg") are turned
// round. Set both once at start, before any other thread starts; afterwards they are only read.
#pragma once

#include <string>
#include <string_view>

namespace tarvello {

// What the choice of folders depends on, read from the machine by ReadFolderFacts.
struct FolderFacts {
  std::string home_option;        // --home, empty when not given
  std::string executable_folder;  // the folder of the running executable
  bool executable_folder_writable = false;
  bool executable_folder_has_pictures = false;  // it holds a "Picture" folder
  std::string xdg_data_home;      // $XDG_DATA_HOME
  std::string user_home;          // $HOME, or the password database's home folder
};

struct ProgramFolders {
  std::string program;  // settings, lists, lock file; empty when there is nowhere to put them
  std::string shipped;  // pictures and the broker catalogue as installed
  bool portable = false;
};

inline constexpr std::string_view kInstalledDataFolder = "../share/tarvello";
inline constexpr std::string_view kUserDataFolderName = "tarvello";

// The rule, without touching the machine. An XDG_DATA_HOME that is not absolute is ignored, as the
// XDG base directory rules ask.
ProgramFolders ChooseProgramFolders(const FolderFacts& facts);
// Reads the facts of the running program from the file system and the environment.
FolderFacts ReadFolderFacts(std::string home_option);

void SetProgramFolder(std::string folder);
const std::string& ProgramFolder();
// The full path of a file of the program folder; a leading separator of the name is dropped.
std::string ProgramPath(std::string_view name);

void SetShippedFolder(std::string folder);
// The executable's folder until set.
const std::string& ShippedFolder();
std::string ShippedPath(std::string_view name);

}  // namespace tarvello
