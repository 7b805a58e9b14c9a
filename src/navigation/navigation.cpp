#include "navigation/navigation.h"

#include <map>
#include <utility>

namespace tarvello {

namespace {

std::u16string MenuPageTitle(int argument) {
  static const std::map<int, std::u16string> titles = {
      {0, u"涨跌排行"}, {1, u"全球市场"}, {2, u"港股市场"}, {10, u"资讯必读"},
      {18, u"使用帮助"}, {19, u"系统设置"}, {21, u"资金流向"},
      {13, u"最新资讯"}, {14, u"公司大事"}, {15, u"公司财务"}, {16, u"公司概况"}, {17, u"十大股东"},
      {22, u"个股资讯"}, {1127, u"个股资讯"}, {1129, u"个股资讯"}, {1149, u"个股资讯"},
      {23, u"自选股-新闻"}, {24, u"自选股-公告"}, {25, u"自选股-研报"},
      {20, u"帐户管理"},
  };
  const auto it = titles.find(argument);
  return it == titles.end() ? std::u16string() : it->second;
}

std::u16string QuoteListTitle(int argument) {
  static const std::map<int, std::u16string> titles = {
      {1125, u"自选股"},     {105, u"板块追踪"},    {-10, u"板块追踪"},   {1141, u"成交透析-1天"},
      {1140, u"委托明细"},   {-11, u"股指期货"},    {-1, u"大盘指数"},    {-101, u"沪深300"},
      {-2, u"全球市场"},     {-3, u"阶段统计"},     {-104, u"外汇"},      {-60, u"沪深A股"},
      {-61, u"上证A股"},     {-62, u"上证B股"},     {-63, u"深证A股"},    {-64, u"深证B股"},
      {-65, u"上证基金"},    {-66, u"深证基金"},
  };
  const auto it = titles.find(argument);
  return it == titles.end() ? std::u16string(u"中小企业") : it->second;
}

}  // namespace

std::optional<std::u16string> NavigationTitle(int target, int argument) {
  switch (target) {
    case kTargetMainMenu:
      return u"Tarvello";
    case kTargetMenuPage:
      return MenuPageTitle(argument);
    case kTargetQuoteList:
      return QuoteListTitle(argument);
    case kTargetSettings:
      return u"系统设置";
    case kTargetBrokers:
      return u"委托交易";
    case kTargetLiveList:
      return u"Tarvello_直播";
    case kTargetListScreen:  // 0 the code search, 2 the server in use, 3 the manual server list
      return argument == 0 ? u"股票查询" : argument == 2 ? u"当前服务器" : u"服务器列表";
    case kTargetUserData:
      return u"用户资料";
    case kTargetLogin:
      return u"用户注册/登录";
    case kTargetSwitchUser:
      return u"切换用户注册";
    case kTargetRecommendFriend:
      return u"推荐好友";
    case kTargetAlerts:
      return u"预警设置";
    case kTargetTraffic:
      return u"流量统计";
    default:
      return std::nullopt;
  }
}

NavigationRequest RoutedRequest(int target, int argument) {
  const bool account = argument == kTargetUserData || argument == kTargetLogin || argument == kTargetSwitchUser;
  if (target == kTargetQuoteList && account) return {argument, 0};
  return {target, argument};
}

}  // namespace tarvello
