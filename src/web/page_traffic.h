// Counts what one page fetch moved, for the traffic statistics: the request as sent and the
// answer's header and body as received. Call it once after the transfer, whatever its outcome.
#pragma once

#include <curl/curl.h>

namespace tarvello {

void CountPageTraffic(CURL* handle);

}  // namespace tarvello
