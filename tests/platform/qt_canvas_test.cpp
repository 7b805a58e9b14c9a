// Drawing on Qt over an image, the screen font on Qt's own controls, the Chinese buttons of the
// message boxes, and the phone dialer, which hands a number to a program without a shell.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QTranslator>
#include <array>
#include <chrono>
#include <thread>

#include "base/program_folder.h"
#include "platform/direct_fill.h"
#include "platform/phone_dialer.h"
#include "platform/picture.h"
#include "platform/qt_canvas.h"
#include "platform/qt_chinese.h"
#include "qt_test_app.h"
#include "support/temp_folder.h"

namespace tarvello {
namespace {

class QtCanvasTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::EnsureQtApp();
    image_.fill(Qt::black);
  }
  QColor At(int x, int y) const { return image_.pixelColor(x, y); }
  QImage image_{40, 30, QImage::Format_RGB32};
};

// Colours are blue-green-red in the canvas, RGB on screen; an outline stays inside its half-open
// box; a missing picture draws nothing, a picture stretches into its box; a clip holds until reset.
TEST_F(QtCanvasTest, ColoursOutlinesPicturesAndClipsLandOnTheirPixels) {
  QImage blue(2, 2, QImage::Format_RGB32);
  blue.fill(QColor(0, 0, 255));
  {
    QtCanvas canvas(image_);
    canvas.FillRect(Rect{0, 0, 10, 10}, 0x0000FF);   // red
    canvas.FillRect(Rect{10, 0, 20, 10}, 0xFFFF52);  // light cyan
    canvas.SetPen(Pen{kWhite, 1, PenStyle::kSolid});
    canvas.SetBrush(Brush{0x00FF00, false});
    canvas.Rectangle(Rect{20, 10, 30, 20});
    canvas.DrawPicture(Picture::Load("Picture/none.jpg"), Rect{0, 0, 40, 30});
    canvas.DrawPicture(Picture::FromImage("blue", blue), Rect{30, 0, 40, 10});
    canvas.SetClip(Rect{0, 10, 5, 30});
    canvas.FillRect(Rect{0, 10, 15, 25}, kWhite);
    canvas.ResetClip();
    canvas.FillRect(Rect{0, 25, 40, 30}, kWhite);
  }
  EXPECT_EQ(At(5, 5), QColor(255, 0, 0));
  EXPECT_EQ(At(15, 5), QColor(0x52, 0xFF, 0xFF));
  EXPECT_EQ(At(25, 5), QColor(0, 0, 0));
  EXPECT_EQ(At(31, 1), QColor(0, 0, 255));
  EXPECT_EQ(At(39, 9), QColor(0, 0, 255));
  EXPECT_EQ(At(20, 10), QColor(255, 255, 255));
  EXPECT_EQ(At(29, 19), QColor(255, 255, 255));
  EXPECT_EQ(At(25, 15), QColor(0, 255, 0));
  EXPECT_EQ(At(30, 20), QColor(0, 0, 0));
  EXPECT_EQ(At(4, 15), QColor(255, 255, 255));
  EXPECT_EQ(At(6, 15), QColor(0, 0, 0));
  EXPECT_EQ(At(30, 27), QColor(255, 255, 255));

  // Rectangles filled in one go land where each filled alone would, under the clip, and leave the
  // pen and brush as they were.
  const Rect boxes[] = {{1, 1, 2, 9}, {3, 4, 7, 5}, {8, 0, 12, 30}, {5, 5, 5, 9}};
  QImage one_by_one(40, 30, QImage::Format_RGB32);
  one_by_one.fill(Qt::black);
  image_.fill(Qt::black);
  for (QImage* image : {&one_by_one, &image_}) {
    QtCanvas canvas(*image);
    canvas.SetPen(Pen{kWhite, 1, PenStyle::kSolid});
    canvas.SetBrush(Brush{0x00FF00, false});
    canvas.SetClip(Rect{0, 0, 40, 20});
    if (image == &image_) {
      canvas.FillRects(boxes, 0x0000FF);
    } else {
      for (const Rect& box : boxes) canvas.FillRect(box, 0x0000FF);
    }
    canvas.ResetClip();
    canvas.Rectangle(Rect{20, 20, 30, 30});
  }
  EXPECT_EQ(image_, one_by_one);
  EXPECT_EQ(At(20, 20), QColor(255, 255, 255));
  EXPECT_EQ(At(25, 25), QColor(0, 255, 0));
}

// A widget whose paint fills kBars under a clip, with the painter or straight into the image.
const Rect kBars[] = {{1, 1, 2, 29}, {2, 6, 4, 29}, {8, 0, 12, 30}, {5, 5, 5, 9}, {-3, 20, 50, 22}};

class BarsWidget : public QWidget {
 public:
  BarsWidget(bool straight) : straight_(straight) { resize(40, 30); }
  bool wrote() const { return wrote_; }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    painter.setClipRect(QRect(0, 2, 30, 25));
    if (straight_) {
      wrote_ = FillRectsDirect(painter, kBars, qRgb(255, 0, 0));
      return;
    }
    for (const Rect& bar : kBars) painter.fillRect(QRect(bar.left, bar.top, bar.Width(), bar.Height()), Qt::red);
  }

 private:
  const bool straight_;
  bool wrote_ = false;
};

// Bars written straight into the image set the pixels the painter sets: on an image of either
// 32-bit kind, and in a widget's paint moved into its window, under the paint's region and a
// clip. A screen of twice the density and a region of two parts are left to the painter, untouched.
TEST_F(QtCanvasTest, BarsWrittenStraightSetThePixelsThePainterSets) {
  struct Case {
    const char* name;
    QImage::Format format;
    qreal ratio;
    QRegion region;  // of the widget painted; empty: the whole
    bool written;
  };
  const Case cases[] = {
      {"image", QImage::Format_RGB32, 1, {}, true},
      {"premultiplied image", QImage::Format_ARGB32_Premultiplied, 1, {}, true},
      {"part of a widget", QImage::Format_RGB32, 1, QRegion(0, 4, 10, 20), true},
      {"dense image", QImage::Format_RGB32, 2, {}, false},
      {"widget's two parts", QImage::Format_RGB32, 1, QRegion(0, 0, 3, 30) + QRegion(9, 0, 3, 30), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::array<QImage, 2> images;
    bool written = false;
    for (const bool straight : {false, true}) {
      QImage& image = images[straight ? 1 : 0];
      image = QImage(static_cast<int>(48 * c.ratio), static_cast<int>(36 * c.ratio), c.format);
      image.setDevicePixelRatio(c.ratio);
      image.fill(Qt::black);
      BarsWidget widget(straight);
      widget.render(&image, QPoint(5, 3), c.region.isEmpty() ? QRegion(widget.rect()) : c.region,
                    QWidget::DrawChildren);
      written = widget.wrote();
    }
    EXPECT_EQ(written, c.written);
    if (c.written) {
      EXPECT_EQ(images[1], images[0]);
    } else {
      QImage untouched = images[1];
      untouched.fill(Qt::black);
      EXPECT_EQ(images[1], untouched);
    }
  }
}

// Lines along an axis and single lines of text take quicker ways than the painter's general ones
// (a filled rectangle, glyphs straight from the font, a line laid out once); they set the same
// pixels and measure the same, in every size and weight, also where the font kerns or joins
// letters and where it has no glyph.
TEST_F(QtCanvasTest, QuickLinesAndTextSetThePixelsThePaintersOwnWaysSet) {
  struct Case {
    Point from, to;
    std::u16string text;
    unsigned flags;
    Font font;
  };
  const Case cases[] = {
      {{3, 2}, {3, 25}, u"12.34", kTextLeft | kTextTop, Font{}},
      {{30, 20}, {5, 20}, u"涨跌", kTextOneLine | kTextCenter, Font{}},
      {{7, 7}, {7, 7}, u"-0.50%", kTextOneLine | kTextRight, Font{12, true}},
      {{0, 29}, {39, 29}, u"成交量12345678", kTextBottom | kTextCenter, Font{}},  // wider than its box
      {{1, 1}, {1, 1}, u"AVT/ff7%%", kTextLeft | kTextVCenter, Font{12, true}},
      {{1, 1}, {1, 1}, u"To9#,Ky", kTextCenter, Font{24, true}},
      {{1, 1}, {1, 1}, u"ab\u0301c \u05D0\u05D1 \U0001F600", kTextLeft, Font{}},
  };
  const Rect box{2, 3, 38, 27};
  for (const Case& c : cases) {
    SCOPED_TRACE(QString::fromStdU16String(c.text).toStdString());
    QImage quick(40, 30, QImage::Format_RGB32);
    QImage general(40, 30, QImage::Format_RGB32);
    quick.fill(Qt::black);
    general.fill(Qt::black);
    {
      QtCanvas canvas(quick);
      canvas.SetPen(Pen{0x00FF00, 1, PenStyle::kSolid});
      canvas.Line(c.from, c.to);
      canvas.SetTextColor(kWhite);
      canvas.SetFont(c.font);
      canvas.DrawText(c.text, box, c.flags);
      EXPECT_EQ(canvas.TextWidth(c.text), QFontMetrics(QtCanvas::MakeFont(c.font)).horizontalAdvance(QString::fromStdU16String(c.text)));
    }
    {
      QPainter painter(&general);
      painter.setRenderHint(QPainter::TextAntialiasing, true);
      painter.setFont(QtCanvas::MakeFont(c.font));
      painter.setPen(QtCanvas::ToQPen(Pen{0x00FF00, 1, PenStyle::kSolid}));
      painter.drawLine(c.from.x, c.from.y, c.to.x, c.to.y);
      painter.setPen(Qt::white);
      const int align = (c.flags & kTextCenter ? Qt::AlignHCenter : c.flags & kTextRight ? Qt::AlignRight : Qt::AlignLeft) |
                        (c.flags & kTextVCenter ? Qt::AlignVCenter : c.flags & kTextBottom ? Qt::AlignBottom : Qt::AlignTop);
      painter.drawText(QRect(box.left, box.top, box.Width(), box.Height()), align, QString::fromStdU16String(c.text));
    }
    EXPECT_EQ(quick, general);
  }
}

// Loads of one file share what was decoded, a draw at a new size after the full picture was let
// go reads the file again, and a file changed on disk is read afresh by the next load.
TEST_F(QtCanvasTest, PicturesOfOneFileShareAndKeepTheirSizesAndAChangedFileIsReadAgain) {
  testing::TempFolder folder;
  const std::string kept = ProgramFolder();
  SetProgramFolder(folder.path().string());
  std::filesystem::create_directories(folder.path() / "Picture");
  const auto write = [&](QColor colour, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(QString::fromStdString((folder.path() / "Picture/p.png").string()), "PNG"));
  };
  write(Qt::red, {4, 4});
  const Picture first = Picture::Load("Picture/p.png");
  const Picture second = Picture::Load("Picture/p.png");
  EXPECT_EQ(first.ScaledTo({8, 8}).pixelColor(7, 7), QColor(Qt::red));
  EXPECT_EQ(second.ScaledTo({8, 8}).constBits(), first.ScaledTo({8, 8}).constBits()) << "one scaled copy for both";
  EXPECT_EQ(second.ScaledTo({2, 6}).size(), QSize(2, 6)) << "read again for a new size";
  std::this_thread::sleep_for(std::chrono::milliseconds(20));  // a new modification time
  write(Qt::green, {5, 5});
  EXPECT_EQ(Picture::Load("Picture/p.png").ScaledTo({8, 8}).pixelColor(0, 0), QColor(Qt::green));
  EXPECT_EQ(first.ScaledTo({8, 8}).pixelColor(0, 0), QColor(Qt::red)) << "a picture already loaded keeps the copies it drew";
  EXPECT_TRUE(Picture::Load("Picture/missing.png").ScaledTo({8, 8}).isNull());
  SetProgramFolder(kept);
}

// Text height of a control as Qt lays it out, the way a user sees it beside the screen's own text.
int ControlTextHeight(QWidget&& control) {
  control.ensurePolished();
  return QFontMetrics(control.font()).height();
}

TEST_F(QtCanvasTest, ScreenFontMetricsFollowTheChosenHeightOnScreensAndControls) {
  QtCanvas::SetScreenFontHeight(24);
  QtCanvas canvas(image_);
  TextMetrics big = canvas.Metrics();
  for (int height : {ControlTextHeight(QPushButton(QStringLiteral("保 存"))), ControlTextHeight(QComboBox()),
                     ControlTextHeight(QLineEdit()), ControlTextHeight(QMenu()), ControlTextHeight(QMessageBox())}) {
    EXPECT_EQ(height, big.height);
  }
  QtCanvas::SetScreenFontHeight(12);
  canvas.SetFont(Font{});
  TextMetrics small = canvas.Metrics();
  EXPECT_EQ(ControlTextHeight(QMenu()), small.height);
  EXPECT_GT(big.height, small.height);
  EXPECT_GT(canvas.TextWidth(u"沪深"), canvas.TextWidth(u"1"));
  QtCanvas::SetScreenFontHeight(16);
}

// The exit question and every other Yes/No box of the program show Chinese buttons.
TEST(QtChineseTest, MessageBoxButtonsReadInChinese) {
  testing::EnsureQtApp();
  QTranslator translator;
  std::string error;
  ASSERT_TRUE(InstallQtChinese(translator, error)) << error;
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tarvello"), QStringLiteral("?"),
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")))
      << box.button(QMessageBox::Yes)->text().toStdString();
  EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith(QStringLiteral("否")));
  EXPECT_TRUE(box.button(QMessageBox::Ok)->text().startsWith(QStringLiteral("确定")));
  EXPECT_TRUE(box.button(QMessageBox::Cancel)->text().startsWith(QStringLiteral("取消")));
  QCoreApplication::removeTranslator(&translator);
}

constexpr char16_t kHostile[] = u"0\"; touch pwned; $(touch pwned) `touch pwned` | x";

TEST(CommandDialerTest, TheNumberIsOneArgumentAfterTheCommandsOwnWords) {
  const struct {
    std::u16string_view command;
    std::vector<std::u16string> line;
  } cases[] = {
      {u"dial", {u"dial", kHostile}},
      {u"  /usr/bin/dial \t--ask  now ", {u"/usr/bin/dial", u"--ask", u"now", kHostile}},
      {u"   ", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(CommandDialer(c.command).CommandLine(kHostile), c.line);
}

// The dialer runs a real program that writes down its arguments: the number arrives whole, and
// nothing in it runs.
TEST(CommandDialerTest, AProgramReceivesTheNumberUnchangedAndNoShellRunsIt) {
  testing::QtApp app;
  testing::TempFolder folder;
  const std::filesystem::path script = folder / "dial.sh";
  const std::filesystem::path out = folder / "arguments";
  testing::WriteBytes(script, "#!/bin/sh\ncd \"$(dirname \"$0\")\"\nprintf '%s\\n' \"$#\" \"$@\" > arguments.new\nmv arguments.new arguments\n");
  ASSERT_EQ(::chmod(script.c_str(), 0755), 0);
  CommandDialer dialer(std::u16string(script.u16string()) + u" --ask");
  ASSERT_TRUE(dialer.Dial(kHostile));
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!std::filesystem::exists(out) && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  EXPECT_EQ(testing::ReadBytes(out),
            "2\n--ask\n0\"; touch pwned; $(touch pwned) `touch pwned` | x\n");
  EXPECT_FALSE(std::filesystem::exists(folder / "pwned"));
}

TEST(CommandDialerTest, AMissingProgramOrCommandDialsNothing) {
  testing::QtApp app;
  EXPECT_FALSE(CommandDialer(u"/nonexistent/tarvello-dialer").Dial(u"1"));
  EXPECT_FALSE(CommandDialer(u"").Dial(u"1"));
}

}  // namespace
}  // namespace tarvello
