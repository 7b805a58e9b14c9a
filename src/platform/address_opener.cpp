#include "platform/address_opener.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace tarvello {
namespace {

AddressOpener* installed = nullptr;

}  // namespace

bool DesktopAddressOpener::Open(std::u16string_view address) {
  const QUrl url(QString::fromUtf16(address.data(), static_cast<qsizetype>(address.size())));
  return url.isValid() && QDesktopServices::openUrl(url);
}

AddressOpener& ActiveAddressOpener() {
  static RecordingAddressOpener stand_in;
  return installed != nullptr ? *installed : stand_in;
}

void InstallAddressOpener(AddressOpener* opener) { installed = opener; }

}  // namespace tarvello
