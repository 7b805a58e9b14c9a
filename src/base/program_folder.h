// The program folder: where the terminal keeps its configuration files and its Picture folder.
// It defaults to the executable's directory and is set once at start (--home). Paths inside it use
// "/"; names written the handheld way ("Picture\\back.jpg") are turned round.
// Set it before any other thread starts; afterwards it is only read.
#pragma once

#include <string>
#include <string_view>

namespace tarvello {

void SetProgramFolder(std::string folder);
const std::string& ProgramFolder();
// The full path of a file of the program folder; a leading separator of the name is dropped.
std::string ProgramPath(std::string_view name);

}  // namespace tarvello
