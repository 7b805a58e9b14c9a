// Test support for the end-to-end tests: finding the built programs and running one as a child
// process with its output in files.
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

}  // namespace tarvello::testing
