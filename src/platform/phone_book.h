// PhoneBook: the device's contacts, from which the recommendation screen picks numbers. The
// desktop has no phone book, so ContactsFilePhoneBook stands in for it: "Contacts.ini" in the
// program folder, UTF-16LE like every INI file of the program, section CONTACTS with the keys
// NAME1, PHONE1, NAME2, PHONE2 ... (the list ends at the first missing PHONEn, at most 200
// entries). A missing file is an empty phone book.
// Any thread; every call reads the file anew.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace tarvello {

struct Contact {
  std::u16string name;
  std::u16string number;
  friend bool operator==(const Contact&, const Contact&) = default;
};

class PhoneBook {
 public:
  virtual ~PhoneBook() = default;
  virtual std::vector<Contact> Contacts() const = 0;
};

class ContactsFilePhoneBook : public PhoneBook {
 public:
  static constexpr int kMaxContacts = 200;
  explicit ContactsFilePhoneBook(std::filesystem::path folder) : file_(std::move(folder) / "Contacts.ini") {}
  std::vector<Contact> Contacts() const override;

 private:
  std::filesystem::path file_;
};

}  // namespace tarvello
