// Treats the input as "Contacts.ini", the phone book the recommendation screen picks numbers from.
// Whatever it holds, the book read has at most its limit of entries, each with a number.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "fuzz_folder.h"
#include "platform/phone_book.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tarvello;
  const std::filesystem::path& folder = fuzz::FuzzFolder("tarvello-contacts");
  {
    std::ofstream out(folder / "Contacts.ini", std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  const std::vector<Contact> contacts = ContactsFilePhoneBook(folder).Contacts();
  if (contacts.size() > static_cast<std::size_t>(ContactsFilePhoneBook::kMaxContacts)) abort();
  for (const Contact& contact : contacts) {
    if (contact.number.empty()) abort();
  }
  return 0;
}
