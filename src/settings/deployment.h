// Deployment values: what a deployment of the terminal decides and the program itself does not
// (server addresses, the WAP gateway, pages, the login placeholder, the carrier's CDMA account,
// the dialer command, and which network the connection substitute pretends to have). They live in
// "Deployment.ini" beside the program, read through the INI engine. A missing file is written with
// the shipped values, which point everything at the simulator on 127.0.0.1.
#pragma once

#include <array>
#include <filesystem>
#include <string>

namespace tarvello {

// The network the connection substitute reports (section NETWORK, key CASE).
enum class NetworkCase {
  kDesktop,            // "desktop": a desktop or LAN link, direct mode
  kGprs,               // "gprs": a GPRS connection through the access point named by APN
  kCdma,               // "cdma": a CDMA dial-up connection, direct mode
  kDial,               // "dial": nothing until the program provisions its own entries
  kNone,               // "none": no connection, and provisioning does not bring one up
  kProvisioningFails,  // "provisioning-fails": none until provisioned, then the connect fails
};

struct Deployment {
  static constexpr int kServerRows = 25;

  // Quote servers (port 2860): [group][index], group 1 and group 0 of the start-up probe.
  std::array<std::array<std::string, 2>, 2> quote_servers;
  // The port every quote server listens on: 2860, unless a deployment (or a test) says otherwise.
  int quote_port = 2860;
  // The 25 rows of the manual server list, addresses only. Rows 5, 8, 11 and 21 (the regions'
  // load-balancing rows) are quote_servers [1][0], [0][0], [0][1] and [1][1].
  std::array<std::string, kServerRows> server_rows;
  // Information servers, [group][index] as the quote servers, on info_port.
  std::array<std::array<std::string, 2>, 2> info_servers;
  int info_port = 80;
  std::string gateway_host;
  int gateway_port = 80;
  std::u16string register_page;
  std::u16string download_page;
  // Three characters sent as user name and password when none is stored.
  std::u16string login_placeholder;
  std::u16string cdma_user;
  std::u16string cdma_password;
  // Command that dials a number (the number is appended); empty when the device has no phone.
  std::u16string dialer_command;
  NetworkCase network_case = NetworkCase::kDesktop;
  std::u16string access_point;  // the access point of the GPRS case, e.g. "cmnet" or "cmwap"
};

inline constexpr std::string_view kDeploymentFileName = "Deployment.ini";

// The shipped values: every server on 127.0.0.1 with the simulator's default ports.
Deployment ShippedDeployment();

// Reads "Deployment.ini" from folder; writes the shipped file first when there is none. A value
// missing from the file keeps its shipped value. The file may have been saved by a person's
// editor in another encoding (see DecodeIniText).
Deployment LoadDeployment(const std::filesystem::path& folder);

}  // namespace tarvello
