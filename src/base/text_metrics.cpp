#include "base/text_metrics.h"

namespace tarvello {
namespace {

// A 16-pixel font until the program measures its own.
TextMetrics shared_metrics{16, 2, 8, 16};

}  // namespace

const TextMetrics& SharedTextMetrics() { return shared_metrics; }

void SetSharedTextMetrics(const TextMetrics& metrics) { shared_metrics = metrics; }

}  // namespace tarvello
