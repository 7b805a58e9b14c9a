#include "platform/phone_dialer.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include "platform/qt_text.h"

namespace tarvello {

CommandDialer::CommandDialer(std::u16string_view command) {
  std::u16string word;
  for (const char16_t c : command) {
    if (c == u' ' || c == u'\t') {
      if (!word.empty()) words_.push_back(std::move(word));
      word.clear();
    } else {
      word.push_back(c);
    }
  }
  if (!word.empty()) words_.push_back(std::move(word));
}

std::vector<std::u16string> CommandDialer::CommandLine(std::u16string_view number) const {
  std::vector<std::u16string> line = words_;
  if (!line.empty()) line.emplace_back(number);
  return line;
}

bool CommandDialer::Dial(std::u16string_view number) {
  const std::vector<std::u16string> line = CommandLine(number);
  if (line.empty()) return false;
  QStringList arguments;
  for (std::size_t i = 1; i < line.size(); ++i) arguments.push_back(ToQString(line[i]));
  return QProcess::startDetached(ToQString(line.front()), arguments);
}

}  // namespace tarvello
