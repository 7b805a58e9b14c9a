// PhoneDialer: the handheld's phone module, which places a call to a number and lets the user
// confirm it first. Linux has none, so a deployment names a dialer command in "Deployment.ini"
// (section PHONE, key DIALER): CommandDialer runs that program with the number appended as one
// more argument, without a shell, so no character of a number (quotes, ";", "$(...)") can become
// a command. The command is split at blanks into the program and its fixed arguments.
// RecordingDialer stands in for tests and the screenshot tour.
// User-interface thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

class PhoneDialer {
 public:
  virtual ~PhoneDialer() = default;
  // False when there is no phone module to place the call.
  virtual bool Dial(std::u16string_view number) = 0;
};

class CommandDialer : public PhoneDialer {
 public:
  explicit CommandDialer(std::u16string_view command);
  // False, without starting anything, for an empty command or a program that cannot be started.
  bool Dial(std::u16string_view number) override;

  // The program and arguments Dial starts for number; empty for an empty command.
  std::vector<std::u16string> CommandLine(std::u16string_view number) const;

 private:
  std::vector<std::u16string> words_;
};

class RecordingDialer : public PhoneDialer {
 public:
  bool Dial(std::u16string_view number) override {
    if (!present) return false;
    dialled.emplace_back(number);
    return true;
  }

  bool present = true;  // false: the device has no phone module
  std::vector<std::u16string> dialled;
};

}  // namespace tarvello
