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

#include "app/MenuCommands.h"
#include "app/Startup.h"
#include "graph/GraphModel.h"
#include "macro/MacroRunner.h"
#include "platform/DlLibrary.h"
#include "platform/FakeClock.h"
#include "platform/Paths.h"
#include "platform/PosixProcess.h"
#include "qt/AboutDialog.h"
#include "qt/AritDialog.h"
#include "qt/GraphDialogs.h"
#include "qt/HotKeyDialog.h"
#include "qt/MainWidget.h"
#include "qt/PrintDialog.h"
#include "qt/QtUi.h"
#include "qt/QtWindowHost.h"
#include "qt/RecorderWidget.h"
#include "qt/RuntimeDir.h"
#include "qt/SettingsDialogs.h"
#include "state/GraphWindows.h"
#include "state/Program.h"
#include "state/RecorderWindows.h"

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
void ScheduleScreenshot(state::Program& p, MainWidget& window, const std::string& file,
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

struct Desktop::Parts {
  explicit Parts(const app::HeadlessOptions& o)
      : options(o),
        paths(o.root, o.resources.empty() ? std::string(TARVELIN_RESOURCES) : o.resources),
        program(state::Platform{&ui, &clock, &library, &process, &host, &paths}) {}

  app::HeadlessOptions options;
  QtUi ui;
  platform::SystemClock clock;
  QtWindowHost host;
  platform::DlLibrary library;
  platform::PosixProcess process;
  platform::Paths paths;
  state::Program program;
  std::unique_ptr<MainWidget> window;
};

Desktop::Desktop(const app::HeadlessOptions& options) : parts_(std::make_unique<Parts>(options)) {}

Desktop::~Desktop() {
  Parts& d = *parts_;
  d.ui.SetParent(nullptr);
  state::UnDisplayWave(d.program, store::Store::W, -1);
  state::UnDisplayWave(d.program, store::Store::M, -1);
  state::CloseRecorderWindows(d.program);
  d.program.AcquisitionDialog = nullptr;
  d.program.ChannelDialog = nullptr;
  d.program.MemoryDialog = nullptr;
  d.program.FunctionDialog = nullptr;
  d.program.HotKeyDialog = nullptr;
  d.program.AboutDialog = nullptr;
  d.program.AritDialog = nullptr;
  d.program.OpenPrintJob = nullptr;
  d.program.MultiPrintDialog = nullptr;
  d.window.reset();
}

state::Program& Desktop::Program() { return parts_->program; }
MainWidget& Desktop::Window() { return *parts_->window; }
QtWindowHost& Desktop::Host() { return parts_->host; }
QtUi& Desktop::Ui() { return parts_->ui; }

bool Desktop::Start() {
  Parts& d = *parts_;
  state::Program& p = d.program;
  if (!d.paths.CreateStandardFolders()) {
    d.ui.Message("Cannot create the program folders under " + d.paths.Root(), "Error");
    return false;
  }
  d.ui.SetProgram(&p);
  app::OwlMain(p, d.options.words);
  app::InitMainWindow(p);
  d.host.SetCloseHandler([&p](platform::GraphWindow& window) { CloseGraphWindow(p, window); });

  d.window = std::make_unique<MainWidget>(p);
  MainWidget& window = *d.window;
  d.ui.SetParent(&window);
  InstallSettingsDialogs(p, &window);
  InstallHotKeyDialog(p, &window);
  InstallAboutDialog(p, &window);
  InstallAritDialog(p, &window);
  InstallPrintDialogs(p, &window);
  // Named PDF files instead of the printer question, as without a display.
  p.PrintToFile = !d.options.printTo.empty();
  p.PrintToName = d.options.printTo;
  p.GraphFactory = graph::MakeGraphWindowFactory(p, graph::OwnSurface::Recording, GraphDialogs(&window));
  p.RecorderFactory = MakeRecorderWidgetFactory(p);
  d.host.SetMainHandler([&window](int code, int arg) { window.Logic().WMUserMessage(code, arg); });
  window.SetClosedHandler([] { QCoreApplication::quit(); });
  if (!window.Start()) return false;
  window.Logic().saveAtExit = d.options.save;
  if (!d.options.macro.empty() && !macro::StartMacroFromCommandLine(p, d.options.macro)) return false;
  window.show();
  return true;
}

int RunDesktop(int argc, char** argv, const app::HeadlessOptions& o) {
  const auto started = std::chrono::steady_clock::now();
  if (!DisplayNamed(argc, argv)) {
    std::fprintf(stderr,
                 "tarvelin: no display to open (DISPLAY is not set); use --headless, or set "
                 "QT_QPA_PLATFORM=offscreen\n");
    return 2;
  }
  const RuntimeDir runtime;  // goes after the application
  previousHandler = qInstallMessageHandler(StartupMessage);
  QApplication application(argc, argv);
  qInstallMessageHandler(previousHandler);

  // The loop can also end from outside (a session closing); the desktop's
  // end closes the windows before their owners go.
  Desktop desktop(o);
  if (!desktop.Start()) return 1;
  if (!o.screenshot.empty()) ScheduleScreenshot(desktop.Program(), desktop.Window(), o.screenshot, started);
  return application.exec();
}

}  // namespace qt
