// The terminal's entry point: the handheld's screen in a desktop window. With --tour DIR it saves
// a picture of every screen into DIR instead and ends (offscreen when there is no display).
#include <QApplication>
#include <QByteArray>
#include <cstdio>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "base/text_metrics.h"
#include "platform/device_frame.h"
#include "platform/qt_canvas.h"
#include "platform/qt_prompter.h"
#include "platform/scripted_prompter.h"
#include "platform/screen_tour.h"
#include "shell/app_options.h"
#include "shell/progress_dlg.h"
#include "shell/screen_font.h"

namespace tarvello {
namespace {

// Qt reads these before the application object exists.
void PrepareQt(const AppOptions& options) {
  bool no_display = qEnvironmentVariableIsEmpty("DISPLAY") &&
                    qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  if (!options.tour_dir.empty() && no_display && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (options.scale != 1.0) qputenv("QT_SCALE_FACTOR", QByteArray::number(options.scale));
}

void SetUpScreen(const AppOptions& options) {
  SetProgramFolder(options.home.empty() ? QCoreApplication::applicationDirPath().toStdString()
                                        : options.home);
  QtCanvas::SetScreenFontHeight(ScreenFontHeight(options.screen));
  SetSharedTextMetrics(QtCanvas::ScreenFontMetrics());
}

// Shows the progress window across the frame at the given height, its bar a few steps on.
void ShowProgress(CDlgFlag& progress, ProgressForm form, std::u16string text, int top) {
  progress.SetForm(form);
  progress.SetText(std::move(text));
  progress.setGeometry(0, top, progress.parentWidget()->width(),
                       SharedTextMetrics().BarHeight());
  progress.show();
  progress.raise();
  progress.state().SetPaused(false);
  for (int step = 0; step < 6; ++step) progress.state().Advance();
  progress.state().SetPaused(true);
  progress.Invalidate();
}

int RunTour(DeviceFrame& frame, CDlgFlag& progress, const std::string& dir) {
  ScriptedPrompter prompter;
  InstallPrompter(&prompter);
  frame.show();
  ScreenTour tour;
  tour.AddStop("frame", [&] { progress.hide(); });
  tour.AddStop("progress-startup", [&] {
    ShowProgress(progress, ProgressForm::kStartup, u"正在初始化网络...", frame.height() / 2);
  });
  tour.AddStop("progress-busy", [&] {
    ShowProgress(progress, ProgressForm::kBusy, u"获取数据中，请稍后...",
                 frame.ScreenArea().bottom - SharedTextMetrics().BarHeight());
  });
  int saved = tour.Run(frame, dir);
  InstallPrompter(nullptr);
  if (saved < 0) return 1;
  std::printf("tour: %d pictures in %s\n", saved, dir.c_str());
  return 0;
}

int Main(int argc, char** argv) {
  AppOptions options;
  std::string error;
  if (!ParseAppOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
    std::fprintf(stderr, "tarvello: %s\n", error.c_str());
    return 2;
  }
  PrepareQt(options);
  QApplication app(argc, argv);
  SetUpScreen(options);

  DeviceFrame frame(options.screen);
  // The transport's Cancel and the page fetch's close are joined to the progress window when
  // those parts are assembled; until then a cancel only marks the window.
  CDlgFlag progress(ProgressHooks{nullptr, nullptr,
                                  [&frame](const Message& m) {
                                    frame.PostMessage(m.id, m.wparam, m.lparam);
                                  }},
                    &frame);
  progress.hide();
  if (!options.tour_dir.empty()) return RunTour(frame, progress, options.tour_dir);

  QtPrompter prompter;
  InstallPrompter(&prompter);
  frame.show();
  int result = QApplication::exec();
  InstallPrompter(nullptr);
  return result;
}

}  // namespace
}  // namespace tarvello

int main(int argc, char** argv) { return tarvello::Main(argc, argv); }
