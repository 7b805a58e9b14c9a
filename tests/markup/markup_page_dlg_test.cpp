#include "markup/markup_page_dlg.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <map>
#include <mutex>

#include "platform/keys.h"
#include "platform/qt_test_app.h"
#include "platform/recording_canvas.h"
#include "platform/test_screen.h"
#include "support/recording_navigator.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

using testing::ProcessEventsUntil;

const std::u16string kFront = u"http://site/wap/index.wml";
const std::u16string kSecond = u"http://site/wap/second.wml";
const std::u16string kMissing = u"http://site/wap/missing.wml";

// The pages the fake fetch serves; any other address is a failed fetch (an empty page).
const std::map<std::u16string, std::u16string> kPages = {
    {kFront, u"<wml><card><p>Front</p><a href='second.wml'>Second</a> "
             u"<a href='missing.wml'>Gone</a></card></wml>"},
    {kSecond, u"<wml><card><p>Page two</p><anchor><prev/>Back</anchor></card></wml>"},
};

// Counts the fetches of each address; the worker thread fetches, the test reads. A held site
// answers nothing until it is let go.
class FakeSite {
 public:
  std::u16string Fetch(std::u16string_view address) {
    std::unique_lock<std::mutex> lock(mutex_);
    let_go_.wait(lock, [this] { return !held_; });
    ++fetches_[std::u16string(address)];
    const auto page = kPages.find(std::u16string(address));
    return page == kPages.end() ? std::u16string() : page->second;
  }
  int Fetches(const std::u16string& address) {
    const std::lock_guard<std::mutex> lock(mutex_);
    return fetches_[address];
  }
  void Hold(bool held) {
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      held_ = held;
    }
    let_go_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable let_go_;
  bool held_ = false;                      // guarded by mutex_
  std::map<std::u16string, int> fetches_;  // guarded by mutex_
};

class TouchableMarkupPage : public CMarkupPageDlg {
 public:
  using CMarkupPageDlg::CMarkupPageDlg;
  using CMarkupPageDlg::OnPenDown;
};

class MarkupPageDlgTest : public ::testing::Test {
 protected:
  MarkupPageDlgTest() {
    screen_.resize(480, 640);
    screen_.Open();
    Await(kFront, 1);
  }

  // Waits until the page at address has been fetched fetches times and its items are in.
  void Await(const std::u16string& address, int fetches) {
    ASSERT_TRUE(ProcessEventsUntil([&] {
      return !screen_.busy() && screen_.address() == address && site_->Fetches(address) >= fetches;
    })) << "waiting for " << fetches << " fetches";
  }
  RecordingCanvas Paint() {
    RecordingCanvas canvas(Size{480, 640});
    screen_.PaintOn(canvas);
    return canvas;
  }
  // Taps the centre of a drawn text.
  void Tap(std::u16string_view text) {
    const std::optional<DrawCall> call = Paint().FindText(text);
    ASSERT_TRUE(call.has_value()) << "no " << text::ToUtf8(text);
    screen_.OnPenDown(
        Point{(call->box.left + call->box.right) / 2, (call->box.top + call->box.bottom) / 2});
  }

  testing::QtApp app_;
  testing::TestScreen main_;
  testing::RecordingNavigator navigator_;
  std::shared_ptr<FakeSite> site_ = std::make_shared<FakeSite>();
  TouchableMarkupPage screen_{
      MarkupPageParts{[site = site_](std::u16string_view a) { return site->Fetch(a); }, kFront,
                      &main_, &navigator_}};
};

// A page that fails to load shows the reload link alone, which tries the same address again.
TEST_F(MarkupPageDlgTest, AFailedPageOffersOnlyTheRetry) {
  Tap(u"Gone");
  Await(kMissing, 1);
  Paint();
  ASSERT_EQ(screen_.layout().controls.size(), 1u);
  Tap(u"刷新");
  Await(kMissing, 2);
}

// A second tap on the page still in front, while the first tap's page is on its way, does nothing:
// the page loads once and "prev" still leads back to the page the user tapped on.
TEST_F(MarkupPageDlgTest, ASecondTapBeforeThePageArrivesIsIgnored) {
  site_->Hold(true);
  Tap(u"Second");
  Tap(u"Second");
  site_->Hold(false);
  Await(kSecond, 1);
  Tap(u"Back");
  Await(kFront, 2);
  EXPECT_EQ(site_->Fetches(kSecond), 1);
}

}  // namespace
}  // namespace tarvello
