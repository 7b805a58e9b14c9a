#include "platform/phone_book.h"

#include "storage/profile_file.h"
#include "text/text_codec.h"

namespace tarvello {

std::vector<Contact> ContactsFilePhoneBook::Contacts() const {
  std::vector<Contact> contacts;
  for (int i = 1; i <= kMaxContacts; ++i) {
    const std::u16string index = text::FromAscii(std::to_string(i));
    std::u16string number = ProfileFile::GetString(u"CONTACTS", u"PHONE" + index, u"", file_);
    if (number.empty()) break;
    contacts.push_back({ProfileFile::GetString(u"CONTACTS", u"NAME" + index, u"", file_), std::move(number)});
  }
  return contacts;
}

}  // namespace tarvello
