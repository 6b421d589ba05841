#include "qt/DesktopRunner.h"

#include <QApplication>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "app/Exit.h"
#include "app/GraphWindows.h"
#include "app/MenuCommands.h"
#include "app/Program.h"
#include "app/Startup.h"
#include "graph/GraphModel.h"
#include "macro/MacroRunner.h"
#include "platform/DlLibrary.h"
#include "platform/FakeClock.h"
#include "platform/Paths.h"
#include "platform/PosixProcess.h"
#include "qt/MainWidget.h"
#include "qt/QtUi.h"
#include "qt/QtWindowHost.h"
#include "qt/SettingsDialogs.h"

namespace qt {
namespace {

QtMessageHandler previousHandler = nullptr;

// While the application object connects to the display, a failure is Qt's
// fatal error (an abort); the program says so and ends with status 2 instead.
void StartupMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "tarvelin: cannot open the display: %s\n", qPrintable(text));
    std::fflush(stderr);
    std::_Exit(2);
  }
  if (previousHandler) previousHandler(type, context, text);
}

bool Named(const char* variable) {
  const char* v = std::getenv(variable);
  return v && *v;
}

// For the README: once the first tick has opened the demonstration windows
// and they have painted, the whole screen is saved and the program ends
// without writing its work set.
void ScheduleScreenshot(app::Program& p, MainWidget& window, const std::string& file,
                        std::chrono::steady_clock::time_point started) {
  window.Logic().saveAtExit = false;
  // Once the events queued by the first tick and the first paints are done,
  // the time taken from entering the desktop start is reported.
  QTimer::singleShot(0, &window, [started] {
    QCoreApplication::processEvents();
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started);
    std::fprintf(stderr, "tarvelin: main window and graph windows shown %lld ms after start\n",
                 static_cast<long long>(ms.count()));
  });
  // The demonstration windows all open at the default rectangle; arranged,
  // every one of them is seen.
  QTimer::singleShot(700, &window, [&p] { app::MenuCommand(p, 302); });
  QTimer::singleShot(1500, &window, [&window, file] {
    QScreen* screen = QGuiApplication::primaryScreen();
    const QPixmap shot = screen ? screen->grabWindow(0) : QPixmap();
    if (shot.isNull() || !shot.save(QString::fromStdString(file), "PNG"))
      std::fprintf(stderr, "tarvelin: cannot save the screenshot %s\n", file.c_str());
    window.Logic().saveAtExit = false;
    QCoreApplication::exit(shot.isNull() ? 1 : 0);
  });
}

}  // namespace

bool DisplayNamed(int argc, char** argv) {
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-platform") == 0) return true;
  return Named("QT_QPA_PLATFORM") || Named("DISPLAY") || Named("WAYLAND_DISPLAY");
}

int RunDesktop(int argc, char** argv, const app::HeadlessOptions& o) {
  const auto started = std::chrono::steady_clock::now();
  if (!DisplayNamed(argc, argv)) {
    std::fprintf(stderr,
                 "tarvelin: no display to open (DISPLAY is not set); use --headless, or set "
                 "QT_QPA_PLATFORM=offscreen\n");
    return 2;
  }
  previousHandler = qInstallMessageHandler(StartupMessage);
  QApplication application(argc, argv);
  qInstallMessageHandler(previousHandler);

  QtUi ui;
  platform::SystemClock clock;
  QtWindowHost host;
  platform::DlLibrary library;
  platform::PosixProcess process;
  platform::Paths paths(o.root, o.resources.empty() ? std::string(TARVELIN_RESOURCES) : o.resources);
  if (!paths.CreateStandardFolders()) {
    ui.Message("Cannot create the program folders under " + paths.Root(), "Error");
    return 1;
  }
  app::Program p(app::Platform{&ui, &clock, &library, &process, &host, &paths});
  ui.SetProgram(&p);
  app::OwlMain(p, o.words);
  app::InitMainWindow(p);
  p.GraphFactory = graph::MakeGraphWindowFactory(p);
  host.SetCloseHandler([&p](platform::GraphWindow& window) { CloseGraphWindow(p, window); });

  MainWidget window(p);
  ui.SetParent(&window);
  InstallSettingsDialogs(p, &window);
  host.SetMainHandler([&window](int code, int arg) { window.Logic().WMUserMessage(code, arg); });
  window.SetClosedHandler([] { QCoreApplication::quit(); });
  if (!window.Start()) return 1;
  window.Logic().saveAtExit = o.save;
  if (!o.macro.empty() && !macro::StartMacroFromCommandLine(p, o.macro)) return 1;
  window.show();
  if (!o.screenshot.empty()) ScheduleScreenshot(p, window, o.screenshot, started);
  int status = application.exec();

  // The loop can also end from outside (a session closing); the windows go
  // before the host and the program that own them.
  ui.SetParent(nullptr);
  app::UnDisplayWave(p, 1, -1);
  app::UnDisplayWave(p, 0, -1);
  p.AcquisitionDialog = nullptr;
  p.ChannelDialog = nullptr;
  p.MemoryDialog = nullptr;
  return status;
}

}  // namespace qt
