#include "info/info_worker.h"

#include <utility>

namespace tarvello {

InfoWorker::InfoWorker(Fetcher fetch, Done done, std::function<void()> cancel)
    : fetch_(std::move(fetch)), done_(std::move(done)), cancel_(std::move(cancel)), thread_([this](std::stop_token stop) { Run(stop); }) {}

InfoWorker::~InfoWorker() { Stop(); }

void InfoWorker::Fetch(std::uint64_t ticket, InfoQuery query) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    waiting_ = Job{ticket, std::move(query)};
  }
  queued_.notify_one();
}

void InfoWorker::Stop() {
  if (!thread_.joinable()) return;
  thread_.request_stop();
  if (cancel_) cancel_();
  thread_.join();
}

void InfoWorker::Run(std::stop_token stop) {
  for (;;) {
    Job job{};
    {
      std::unique_lock<std::mutex> lock(mutex_);
      if (!queued_.wait(lock, stop, [this] { return waiting_.has_value(); })) return;
      job = std::move(*waiting_);
      waiting_.reset();
    }
    PageContent page = fetch_(job.query);
    if (stop.stop_requested()) return;
    done_(job.ticket, std::move(page));
  }
}

}  // namespace tarvello
