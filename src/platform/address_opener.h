// AddressOpener: the shell's "open this address": a web page (the registration page, the
// download page) handed to the desktop's browser. The program installs a DesktopAddressOpener at
// start; tests and the screenshot tour install a RecordingAddressOpener, which only writes the
// addresses down. With none installed a recording one stands in, so nothing leaves the program.
// User-interface thread only.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvello {

class AddressOpener {
 public:
  virtual ~AddressOpener() = default;
  // False when the address could not be handed on.
  virtual bool Open(std::u16string_view address) = 0;
};

class RecordingAddressOpener : public AddressOpener {
 public:
  bool Open(std::u16string_view address) override {
    opened_.emplace_back(address);
    return true;
  }
  const std::vector<std::u16string>& opened() const { return opened_; }

 private:
  std::vector<std::u16string> opened_;
};

// Opens the address with the desktop's default browser (QDesktopServices).
class DesktopAddressOpener : public AddressOpener {
 public:
  bool Open(std::u16string_view address) override;
};

AddressOpener& ActiveAddressOpener();
void InstallAddressOpener(AddressOpener* opener);

}  // namespace tarvello
