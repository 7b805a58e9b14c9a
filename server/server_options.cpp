#include "server/server_options.h"

#include <charconv>
#include <string_view>

namespace tarvello::server {

namespace {

template <typename T>
bool ParseNumber(const std::string& text, T& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

bool ParseSpeed(const std::string& text, double& out) {
  if (!ParseNumber(text, out)) return false;
  return out >= 0 && out <= 100000;
}

bool ParseText(const std::string& value, std::string& out) {
  out = value;
  return !value.empty();
}

// The options that take a value, each with what reads its value into the options.
struct ValueOption {
  std::string_view name;
  bool (*read)(const std::string& value, ServerOptions& options);
};

constexpr ValueOption kValueOptions[] = {
    {"--port", [](const std::string& v, ServerOptions& o) { return ParseNumber(v, o.port); }},
    {"--gateway-port", [](const std::string& v, ServerOptions& o) { return ParseNumber(v, o.gateway_port); }},
    {"--info-port", [](const std::string& v, ServerOptions& o) { return ParseNumber(v, o.info_port); }},
    {"--seed", [](const std::string& v, ServerOptions& o) { return ParseNumber(v, o.seed); }},
    {"--speed", [](const std::string& v, ServerOptions& o) { return ParseSpeed(v, o.speed); }},
    {"--threads",
     [](const std::string& v, ServerOptions& o) { return ParseNumber(v, o.threads) && o.threads >= 1 && o.threads <= 64; }},
    {"--at",
     [](const std::string& v, ServerOptions& o) {
       o.at = ParseSimTime(v);
       return o.at.has_value();
     }},
    {"--accounts", [](const std::string& v, ServerOptions& o) { return ParseText(v, o.accounts); }},
    {"--latest-version", [](const std::string& v, ServerOptions& o) { return ParseText(v, o.latest_version); }},
    {"--bind", [](const std::string& v, ServerOptions& o) { return ParseText(v, o.address); }},
};

const ValueOption* FindValueOption(std::string_view name) {
  for (const ValueOption& option : kValueOptions) {
    if (option.name == name) return &option;
  }
  return nullptr;
}

}  // namespace

std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args, std::string& error) {
  ServerOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      options.help = true;
      continue;
    }
    if (name == "--version") {
      options.version = true;
      continue;
    }
    const ValueOption* option = FindValueOption(name);
    if (option == nullptr) {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (i + 1 >= args.size()) {
      error = "missing value for " + name;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    if (!option->read(value, options)) {
      error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  return options;
}

const char* ServerUsage() {
  return "usage: tarvello-quoted [options]\n"
         "  --port N             quote port (default 2860; 0 picks a free port)\n"
         "  --gateway-port N     WAP gateway port (default 8080; 0 picks a free port)\n"
         "  --info-port N        information HTTP port (default 8081; 0 picks a free port)\n"
         "  --bind ADDRESS       address to listen on (default 127.0.0.1)\n"
         "  --seed N             market seed (default 1)\n"
         "  --at \"YYYY-MM-DD HH:MM\"  simulated start (default: today, in the morning session)\n"
         "  --speed N            simulated seconds per real second (default 1; 0 stops the clock)\n"
         "  --accounts FILE      login accounts, one \"user password [rights]\" a line\n"
         "  --latest-version V   version announced to the version check (default V3.3)\n"
         "  --threads N          serving threads (default 2)\n"
         "  --help               show this text and end\n"
         "  --version            show the version and end\n";
}

}  // namespace tarvello::server
