#include "shell/startup_login.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "protocol/container_writer.h"
#include "protocol/packet_codec.h"
#include "protocol/wire_writer.h"
#include "settings/configuration_keys.h"
#include "storage/profile_file.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

Bytes Answer(int result, bool with_notice) {
  ContainerWriter writer;
  writer.AddPlain(2906, WireWriter().U8(static_cast<std::uint8_t>(result)).I32(0x55).Take());
  if (with_notice) writer.AddPlain(2901, WireWriter().I32(7).Utf8(u"今日休市").Take());
  return writer.Finish();
}

TEST(StartupLoginTest, SendsPlaceholderWhenNothingIsStoredAndReadsRightsAndNotice) {
  testing::TempFolder folder;
  Bytes sent;
  const Bytes reply = Answer(0, true);
  const auto exchange = [&](std::span<const std::uint8_t> request, std::span<std::uint8_t> answer) {
    sent.assign(request.begin(), request.end());
    std::copy(reply.begin(), reply.end(), answer.begin());
    return static_cast<int>(reply.size());
  };
  const LoginAnswer answer = RunStartupLogin(exchange, folder.path(), u"ppc");
  EXPECT_EQ(sent, CPacketCodec().BuildLogin(u"ppc", u"ppc"));
  EXPECT_EQ(answer.rights, 0x55);
  EXPECT_EQ(answer.serial, 7);
  EXPECT_EQ(answer.message, u"今日休市");

  ProfileFile::WriteString(u"INFO", u"USERNAME", u"张三", folder / config::kFileName);
  ProfileFile::WriteString(u"INFO", u"PASSWORD", u"pw", folder / config::kFileName);
  RunStartupLogin(exchange, folder.path(), u"ppc");
  EXPECT_EQ(sent, CPacketCodec().BuildLogin(u"张三", u"pw"));
}

TEST(StartupLoginTest, RefusedShortOrStrayAnswersGrantNothing) {
  EXPECT_FALSE(ReadLoginAnswer(Answer(2, false)).rights);
  const Bytes ok = Answer(0, false);
  EXPECT_FALSE(ReadLoginAnswer(std::span<const std::uint8_t>(ok.data(), 6)).rights);
  Bytes shifted = ok;
  shifted.insert(shifted.begin(), 'x');  // the answer must start with "{"
  EXPECT_FALSE(ReadLoginAnswer(shifted).rights);
  const Bytes cut = WireWriter().U8('{').U16(2906).U16(0).U16(5).U8(0).U8(1).Take();
  EXPECT_FALSE(ReadLoginAnswer(cut).rights);
}

TEST(RunningMessageTest, RepeatedSerialIsNotAppendedTwice) {
  RunningMessage message;
  EXPECT_TRUE(message.Offer(3, u"a"));
  EXPECT_FALSE(message.Offer(3, u"a"));
  EXPECT_TRUE(message.Offer(4, u"b"));
  EXPECT_EQ(message.Text(), u"a\r\n\r\nb\r\n\r\n");
}

}  // namespace
}  // namespace tarvello
