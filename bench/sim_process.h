// SimProcess: a fresh tarvello-quoted started as a child process for a benchmark, with every
// port chosen by the system. Start() returns once the simulator has printed its "quote port"
// line (or has failed to), and remembers how long that took; the destructor stops the process
// with SIGTERM and reaps it. One owner thread.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

namespace tarvello::bench {

class SimProcess {
 public:
  SimProcess() = default;
  SimProcess(const SimProcess&) = delete;
  SimProcess& operator=(const SimProcess&) = delete;
  ~SimProcess() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    ::waitpid(pid_, &status, 0);
  }

  // Runs `program` with the port options and `args`; false when it cannot be started or ends
  // without announcing its ports.
  bool Start(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    if (::pipe(out) != 0) return false;
    std::vector<std::string> all = {program, "--port",      "0", "--gateway-port",
                                    "0",     "--info-port", "0"};
    all.insert(all.end(), args.begin(), args.end());
    const auto started = std::chrono::steady_clock::now();
    pid_ = ::fork();
    if (pid_ == 0) {
      ::dup2(out[1], STDOUT_FILENO);
      ::close(out[0]);
      ::close(out[1]);
      std::vector<char*> argv;
      for (std::string& arg : all) argv.push_back(arg.data());
      argv.push_back(nullptr);
      ::execv(program.c_str(), argv.data());
      ::_exit(127);
    }
    ::close(out[1]);
    const bool announced = pid_ > 0 && ReadPortLine(out[0]);
    ::close(out[0]);
    listening_ = std::chrono::steady_clock::now();
    start_to_listening_ms_ =
        std::chrono::duration<double, std::milli>(listening_ - started).count();
    return announced;
  }

  std::uint16_t quote_port() const { return quote_port_; }
  std::uint16_t gateway_port() const { return gateway_port_; }
  std::uint16_t info_port() const { return info_port_; }
  double start_to_listening_ms() const { return start_to_listening_ms_; }
  // The moment the "quote port" line was read.
  std::chrono::steady_clock::time_point listening() const { return listening_; }

  // The simulator beside this benchmark in the build tree (bench/ and bin/ are siblings).
  static std::string BesideBenchmark() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    return (self.parent_path().parent_path() / "bin" / "tarvello-quoted").string();
  }

 private:
  bool ReadPortLine(int fd) {
    std::string line;
    char c = 0;
    while (::read(fd, &c, 1) == 1 && c != '\n') line += c;
    unsigned quote = 0, gateway = 0, info = 0;
    if (std::sscanf(line.c_str(), "tarvello-quoted: quote port %u, gateway port %u, info port %u",
                    &quote, &gateway, &info) != 3) {
      return false;
    }
    quote_port_ = static_cast<std::uint16_t>(quote);
    gateway_port_ = static_cast<std::uint16_t>(gateway);
    info_port_ = static_cast<std::uint16_t>(info);
    return true;
  }

  pid_t pid_ = -1;
  std::uint16_t quote_port_ = 0;
  std::uint16_t gateway_port_ = 0;
  std::uint16_t info_port_ = 0;
  double start_to_listening_ms_ = 0;
  std::chrono::steady_clock::time_point listening_;
};

}  // namespace tarvello::bench
