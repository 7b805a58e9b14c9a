#include "simulator_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

#include "platform/qt_test_app.h"
#include "storage/utf16le.h"
#include "support/temp_folder.h"
#include "text/text_codec.h"

extern char** environ;

namespace tarvello::testing {

std::optional<std::filesystem::path> FindBuiltProgram(const std::string& name) {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
  for (; !error && !folder.empty(); folder = folder.parent_path()) {
    std::filesystem::path candidate = folder / "bin" / name;
    if (std::filesystem::exists(candidate)) return candidate;
    if (folder == folder.root_path()) break;
  }
  return std::nullopt;
}

ChildProcess::ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                           const std::filesystem::path& out, const std::filesystem::path& err,
                           const std::vector<std::string>& extra_env) {
  std::vector<std::string> argv_text{program.string()};
  argv_text.insert(argv_text.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& arg : argv_text) argv.push_back(arg.data());
  argv.push_back(nullptr);
  std::vector<std::string> env_text(extra_env);
  for (char** entry = environ; *entry != nullptr; ++entry) env_text.emplace_back(*entry);
  std::vector<char*> envp;
  for (std::string& entry : env_text) envp.push_back(entry.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

ChildProcess::~ChildProcess() {
  if (pid_ <= 0 || reaped_) return;
  ::kill(pid_, SIGTERM);
  if (!WaitForExit(std::chrono::seconds(5))) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds limit) {
  auto deadline = std::chrono::steady_clock::now() + limit;
  while (pid_ > 0 && !reaped_) {
    int status = 0;
    if (::waitpid(pid_, &status, WNOHANG) == pid_) {
      reaped_ = true;
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    if (std::chrono::steady_clock::now() >= deadline) return std::nullopt;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return std::nullopt;
}
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
  }, std::chrono::seconds(30));
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
