#include "catalogue.h"

namespace tarvello::pictures {
namespace {

template <int kIndex>
QImage MenuIcon(QSize size) {
  return DrawMenuIcon(kIndex, size);
}

}  // namespace

std::vector<PictureSpec> Catalogue() {
  const QSize icon(192, 192);
  const QSize bar(960, 72);
  return {
      {"back.jpg", QSize(960, 1280), DrawBack},
      {"KEYBAR.bmp", QSize(192, 72), DrawKeyBar},
      {"Log.JPG", QSize(640, 200), DrawLogo},
      {"TOOLBAR.bmp", bar, DrawToolBar},
      {"Menu0.png", icon, MenuIcon<0>},
      {"Menu1.png", icon, MenuIcon<1>},
      {"Menu2.png", icon, MenuIcon<2>},
      {"Menu3.png", icon, MenuIcon<3>},
      {"Menu4.png", icon, MenuIcon<4>},
      {"Menu5.png", icon, MenuIcon<5>},
      {"Menu6.png", icon, MenuIcon<6>},
      {"Menu7.png", icon, MenuIcon<7>},
      {"Menu8.png", icon, MenuIcon<8>},
      {"Menu9.png", icon, MenuIcon<9>},
      {"Menu10.png", icon, MenuIcon<10>},
      {"Menu11.png", icon, MenuIcon<11>},
      {"KeyBoard.jpg", QSize(960, 240), DrawKeyBoard},
      {"Switch.png", QSize(192, 72), DrawSwitch},
      {"baowu.png", QSize(960, 64), DrawTabStrip},
      {"kmenu.png", QSize(96, 96), DrawKLineMenu},
      {"First.jpg", bar, DrawStartupBar},
      {"process.jpg", bar, DrawBusyBar},
      {"delete.png", QSize(96, 96), DrawDelete},
      {"call.png", QSize(96, 96), DrawCall},
      {"separator.png", QSize(960, 4), DrawSeparator},
  };
}

}  // namespace tarvello::pictures
