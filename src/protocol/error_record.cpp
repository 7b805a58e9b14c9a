#include "protocol/error_record.h"

#include <cstdio>

#include "storage/profile_file.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr std::u16string_view kSection = u"CODE";
constexpr std::u16string_view kKey = u"Errors";

}  // namespace

std::u16string ErrorRecord::Read() const {
  return ProfileFile::GetString(kSection, kKey, u"", path_);
}

bool ErrorRecord::Write(std::u16string_view text) const {
  return ProfileFile::WriteString(kSection, kKey, text, path_);
}

bool ErrorRecord::WriteStatus(unsigned status) const {
  char text[16];
  std::snprintf(text, sizeof text, "0x%x", status);
  return Write(text::FromAscii(text));
}

bool ErrorRecord::Clear() const {
  return ProfileFile::DeleteEntry(kSection, kKey, u"-", path_) || Read().empty();
}

}  // namespace tarvello
