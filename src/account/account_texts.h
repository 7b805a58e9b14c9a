// The fixed texts of the account screens: labels, hints, questions and the messages of every
// login, recommendation and version-check outcome.
#pragma once

#include <string_view>

namespace tarvello::account_text {

inline constexpr std::u16string_view kCaption = u"提示";

inline constexpr std::u16string_view kUserLabel = u"用户名：";
inline constexpr std::u16string_view kPasswordLabel = u"密   码：";
inline constexpr std::u16string_view kHint =
    u"提示：\r\n已有Morvane网通行证账号的用户可直接用通行证账号登录。\r\n新用户请按“注册键”，程序将引导您进行wap页注册。\r\n热线：400-555-0188";
inline constexpr std::u16string_view kRegisterButton = u"注　册";
inline constexpr std::u16string_view kBackButton = u"返　回";
inline constexpr std::u16string_view kLogoutButton = u"注  销";
inline constexpr std::u16string_view kNotRegistered = u"您未注册";
inline constexpr std::u16string_view kRegisteredAs = u"您已注册\r\n用户名：";

inline constexpr std::u16string_view kCommError = u"通讯错误请重试";
inline constexpr std::u16string_view kLoginDone =
    u"恭喜您，登录已成功。如有疑问，请拨打客服热线：400-555-0188";
inline constexpr std::u16string_view kAccountNotKept = u"但账户未能保存，下次启动需重新登录。";
inline constexpr std::u16string_view kWrongPassword =
    u"用户名或密码错误，请按返回键重新输入。如有疑问，请拨打客服热线：400-555-0188";
inline constexpr std::u16string_view kLoginRefused =
    u"登录不成功，请稍后再试。若账户出现异常，请拨打客服热线：400-555-0188";
inline constexpr std::u16string_view kUnknownError = u"发生未知错误";

inline constexpr std::u16string_view kLogoutQuestion = u"你的账户资料将被清空，确定注销?";
inline constexpr std::u16string_view kRegisterQuestion = u"注册地址:\r\n%s\r\n是否注册?";
inline constexpr std::u16string_view kRegisterCaption = u"注册用户";

inline constexpr std::u16string_view kRecommendTitle = u"推荐好友";
inline constexpr std::u16string_view kRecommendPrompt = u"　　请输入你要推荐的好友手机号码，按确认键发送";
inline constexpr std::u16string_view kRecommendInputHint = u"请输入手机号码";
inline constexpr std::u16string_view kPhoneBookButton = u"电话薄";
inline constexpr std::u16string_view kSendButton = u"确认";
inline constexpr std::u16string_view kBadNumber = u"输入的手机号有误，请确认";
inline constexpr std::u16string_view kNoNumber = u"请输入好友的电话号码";
inline constexpr std::u16string_view kRecommendSent = u"推荐请求已经提交,将会以短信方式通知您的好友";
inline constexpr std::u16string_view kRecommendNotLoggedIn = u"错误:\r\n您未登录";
inline constexpr std::u16string_view kRecommendWrongNumber = u"错误:\r\n您推荐的好友中,存在错误的手机号码";
inline constexpr std::u16string_view kRecommendUnknown = u"错误:\r\n未知错误,请重试";

inline constexpr std::u16string_view kUpdateCaption = u"更新";
inline constexpr std::u16string_view kUpdateQuestion =
    u"当前客户端最新版本:\r\n%s\r\n下载地址:\r\n%s\r\n是否更新应用程序?";
inline constexpr std::u16string_view kUpToDate = u"当前版本为最新版本，无需更新";

}  // namespace tarvello::account_text
