// AccountSession: what the program learns about the user's account during one run and keeps
// until it ends: the rights word granted by the start-up login, the account value of the last
// login on the account screen, the update the version check announced (with whether the user has
// been asked about it yet) and the four notice texts. Nothing of it is written to a file.
//
// Safe from any thread: one mutex guards every field.
#pragma once

#include <array>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

namespace tarvello {

// The update the start-up version check found: the question the main screen asks, the address
// it opens, and whether the update is compulsory (opened even when the user says No).
struct StartupUpdate {
  std::u16string question;
  std::u16string address;
  bool compulsory = false;
};

inline constexpr int kNoticeKinds = 4;

class AccountSession {
 public:
  void SetRights(std::optional<std::int32_t> rights);
  std::optional<std::int32_t> rights() const;

  void SetAccountValue(std::optional<std::int32_t> value);
  std::optional<std::int32_t> account_value() const;

  // A newer version to offer at start-up; replaces any earlier one.
  void OfferUpdate(StartupUpdate update);
  // The offer, once: later calls return nothing until a new offer is made.
  std::optional<StartupUpdate> TakeUnaskedUpdate();

  // The notices of one version answer replace those of the last; kind 1 is index 0.
  void SetNotices(std::array<std::u16string, kNoticeKinds> texts, int counted);
  std::array<std::u16string, kNoticeKinds> notices() const;
  int counted_notices() const;

 private:
  mutable std::mutex mutex_;
  std::optional<std::int32_t> rights_;                 // guarded by mutex_
  std::optional<std::int32_t> account_value_;          // guarded by mutex_
  std::optional<StartupUpdate> update_;                 // guarded by mutex_
  std::array<std::u16string, kNoticeKinds> notices_;   // guarded by mutex_
  int counted_notices_ = 0;                            // guarded by mutex_
};

}  // namespace tarvello
