// The provisioning documents the network bring-up hands to the configuration service: the
// program's own network entry "Morvane" and one connection entry per carrier (0 China Mobile and
// 1 China Unicom over GPRS, 2 China Telecom over CDMA dial-up), their removal, and the query of a
// connection entry's access point. Each document is one line, byte for byte. Pure functions.
#pragma once

#include <string>
#include <string_view>

namespace tarvello {

inline constexpr std::u16string_view kOwnNetworkName = u"Morvane";
inline constexpr int kCarrierCount = 3;

// "Morvane0", "Morvane1", "Morvane2".
std::u16string CarrierEntryName(int carrier);

// Removes the named connection entry (always addressed in CM_GPRSEntries).
std::u16string RemoveConnectionEntryDocument(std::u16string_view entry);
// Removes the network entry "Morvane".
std::u16string RemoveNetworkEntryDocument();
// The network entry followed by the carrier's connection entry. Carrier 2 is a dial-up entry
// with the deployment's CDMA account.
std::u16string CarrierDocument(int carrier, std::u16string_view cdma_user, std::u16string_view cdma_password);
// Asks for the access point name of a GPRS connection entry.
std::u16string AccessPointQueryDocument(std::u16string_view entry);

enum class AccessPointKind { kUnknown, kDirect, kWap };

// Classifies the answer to an access point query: upper-cased, then searched for
// VALUE="CMWAP", "UNIWAP", "3GWAP" (WAP) and VALUE="CMNET", "UNINET", "3GNET" (direct).
AccessPointKind ClassifyAccessPointAnswer(std::u16string_view answer);

}  // namespace tarvello
