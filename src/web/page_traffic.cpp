#include "web/page_traffic.h"

#include "traffic/traffic_meter.h"

namespace tarvello {

void CountPageTraffic(CURL* handle) {
  long request = 0;
  long header = 0;
  curl_off_t body = 0;
  if (curl_easy_getinfo(handle, CURLINFO_REQUEST_SIZE, &request) != CURLE_OK) request = 0;
  if (curl_easy_getinfo(handle, CURLINFO_HEADER_SIZE, &header) != CURLE_OK) header = 0;
  if (curl_easy_getinfo(handle, CURLINFO_SIZE_DOWNLOAD_T, &body) != CURLE_OK) body = 0;
  CountTraffic(static_cast<std::size_t>(request > 0 ? request : 0) +
               static_cast<std::size_t>(header > 0 ? header : 0) +
               static_cast<std::size_t>(body > 0 ? body : 0));
}

}  // namespace tarvello
