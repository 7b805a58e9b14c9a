// InfoWorker: the thread the information pages are fetched on, so that the screen never waits
// for the network and stays usable while a slow or silent server runs into its time-outs.
// Fetch queues a query with a ticket; a newer query replaces one still waiting. Each finished
// fetch calls `done` with its ticket, on the worker thread; the screen drops the pages of tickets
// it no longer waits for.
//
// Thread rules: Fetch and Stop may be called from any thread. Stop (also run by the destructor)
// wakes the worker, waits for a running fetch to return and joins the thread; `done` is never
// called after Stop has returned.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "info/info_fetch.h"

namespace tarvello {

class InfoWorker {
 public:
  using Done = std::function<void(std::uint64_t ticket, PageContent page)>;
  using Fetcher = std::function<PageContent(const InfoQuery&)>;

  // cancel (may be empty) wakes an exchange in progress, so that stopping never waits for a
  // network time-out.
  InfoWorker(Fetcher fetch, Done done, std::function<void()> cancel = {});
  ~InfoWorker();
  InfoWorker(const InfoWorker&) = delete;
  InfoWorker& operator=(const InfoWorker&) = delete;

  void Fetch(std::uint64_t ticket, InfoQuery query);
  void Stop();

 private:
  struct Job {
    std::uint64_t ticket = 0;
    InfoQuery query;
  };
  void Run(std::stop_token stop);

  const Fetcher fetch_;
  const Done done_;
  const std::function<void()> cancel_;
  std::mutex mutex_;
  std::condition_variable_any queued_;
  std::optional<Job> waiting_;  // guarded by mutex_
  std::jthread thread_;          // last: joined before the rest goes
};

}  // namespace tarvello
