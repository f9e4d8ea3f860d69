#include "scrnsave/Program.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWindow>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "dialog/FormOptions.h"
#include "imaging/DisplayDepth.h"
#include "imaging/PictureFormats.h"
#include "platform/InstanceRegistry.h"
#include "scrnsave/CommandLine.h"
#include "settings/NyBase.h"
#include "shell/FormMain.h"
#include "shell/HostWindow.h"
#include "shell/InstanceGuard.h"
#include "shell/ScreenShow.h"
#include "shell/ScreensaverApplication.h"
#include "shell/SessionInhibitor.h"
#include "shell/SignalPipe.h"
#include "shell/SlideshowLists.h"

namespace corvane {

namespace {

constexpr const char* ProgramName = "corvane-slideshow";

std::string ProgramPath(const char* argv0) {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return self.string();
    return std::filesystem::absolute(argv0, ec).string();
}

std::optional<std::string> Environment(const char* name) {
    const char* value = std::getenv(name);
    if (!value) return std::nullopt;
    return std::string(value);
}

bool Hosted(TRunMode mode) {
    return mode == TRunMode::Hosted || mode == TRunMode::HostedRoot;
}

// Whether the chosen platform has a display to talk to; Qt would abort without one.
bool DisplayAvailable() {
    const std::string platform = Environment("QT_QPA_PLATFORM").value_or("");
    if (!platform.empty() && platform.rfind("xcb", 0) != 0 && platform.rfind("wayland", 0) != 0)
        return true;
    const bool x11 = !Environment("DISPLAY").value_or("").empty();
    const bool wayland = !Environment("WAYLAND_DISPLAY").value_or("").empty();
    if (platform.rfind("xcb", 0) == 0) return x11;
    if (platform.rfind("wayland", 0) == 0) return wayland;
    return x11 || wayland;
}

// Sets a value for the scope and puts the old one back.
template <typename T>
class TScopedValue {
  public:
    TScopedValue(T& target, T value) : FTarget(target), FOld(std::move(target)) {
        FTarget = std::move(value);
    }
    ~TScopedValue() { FTarget = std::move(FOld); }

  private:
    T& FTarget;
    T FOld;
};

// The standalone show: a window on every screen (or the design's one window), until it closes.
int RunFullScreen(QPointer<TfrmMain>& shown, const QString& startError) {
    TScreenShow show(AllScreensSetting(), startError);
    shown = &show.DesignWindow();
    QObject::connect(&show, &TScreenShow::Closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    TSessionInhibitor inhibitor;
    QCoreApplication::exec();
    return 0;
}

// Preview or hosted: the slideshow window inside the host's window until it closes or the host
// window goes. Returns the exit status of the mode. With a start error the window shows that
// instead of the show.
int RunInHostWindow(const TCommandLine& command, QPointer<TfrmMain>& shown,
                    const QString& startError) {
    const TFormMode formMode =
        command.Mode == TRunMode::Preview ? TFormMode::Preview : TFormMode::Hosted;
    std::unique_ptr<THostWindow> host;
    try {
        host = std::make_unique<THostWindow>(command.Mode == TRunMode::HostedRoot ? 0
                                                                                 : command.WindowId);
    } catch (const EHostWindowError& e) {
        // Nothing to draw into: no window is opened in its place.
        std::cerr << ProgramName << ": " << e.what() << std::endl;
        return 1;
    }

    // The host's window as Qt sees it; it outlives the show's window, which lies inside it.
    std::unique_ptr<QWindow> foreign;
    TfrmMain form(formMode, nullptr, startError);
    shown = &form;
    // Hosted runs open no other window: errors are drawn into the show (and go to standard
    // error through ReportError).
    std::optional<TScopedValue<std::function<void(const std::string&)>>> hostedReport;
    if (formMode == TFormMode::Hosted)
        hostedReport.emplace(ErrorReportHook, [&form](const std::string& message) {
            form.ShowMessageText(QString::fromStdString(message));
        });

    QObject::connect(&form, &TfrmMain::Closed, qApp, &QCoreApplication::quit, Qt::QueuedConnection);

    // Our own window inside the host's, covering it from its corner at its full size.
    form.winId();
    foreign.reset(QWindow::fromWinId(host->WindowId()));
    form.windowHandle()->setParent(foreign.get());
    form.setGeometry(0, 0, host->Size().width(), host->Size().height());
    form.show();
    QObject::connect(host.get(), &THostWindow::Resized, &form,
                     [&form](QSize size) { form.resize(size); });
    QObject::connect(host.get(), &THostWindow::Destroyed, &form, [&form] { form.close(); });

    QCoreApplication::exec();
    return 0;
}

}  // namespace

int RunProgram(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    // Read ahead of its turn, for what must be settled before the application object exists:
    // the hosts' windows belong to the X server, and hosted runs stay out of the guard.
    const TCommandLine command = ParseCommandLine(args, Environment("XSCREENSAVER_WINDOW"));
    const bool hosted = Hosted(command.Mode);
    if (hosted || command.Mode == TRunMode::Preview) qputenv("QT_QPA_PLATFORM", "xcb");
    if ((hosted || command.Mode == TRunMode::Preview) &&
        Environment("DISPLAY").value_or("").empty() &&
        !Environment("WAYLAND_DISPLAY").value_or("").empty()) {
        // The hosts' windows are X11 windows: on a Wayland session these modes run through
        // XWayland, and without it there is nothing to draw into.
        std::cerr << ProgramName
                  << ": the preview and hosted modes draw into an X11 window, and this Wayland "
                     "session has no XWayland (DISPLAY is not set)"
                  << std::endl;
        return 1;
    }
    if (!DisplayAvailable()) {
        std::cerr << ProgramName
                  << ": no display to show on (DISPLAY is not set); run it in a graphical session "
                     "or under xvfb-run"
                  << std::endl;
        return 1;
    }
    // A preview is drawn into the window the host names; without one there is nothing to draw
    // into (0 would be the whole screen, where no input ends it), and the run touches nothing:
    // not the single-instance guard, not the settings file.
    if (command.Mode == TRunMode::Preview && !THostWindow::Exists(command.WindowId)) {
        std::cerr << ProgramName << ": No preview window: " << command.WindowId << std::endl;
        return 1;
    }

    // Everything is painted by the processor into shared memory: on Wayland, Qt's client buffer
    // integration for the graphics driver would only load the driver (time and memory at every
    // start, and allocations it never frees) for windows that never use it. "none" names no
    // integration.
    if (!qEnvironmentVariableIsSet("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION"))
        qputenv("QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", "none");
    TScreensaverApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    SetDisplayBitsPerPixel(QGuiApplication::primaryScreen()->depth());
    RegisterPictureFormats();
    // The error report: a message box, except in hosted runs, which open no window of their
    // own (errors go to standard error, and into the show once it is up).
    TScopedValue<std::function<void(const std::string&)>> report(
        ErrorReportHook, hosted ? std::function<void(const std::string&)>() : ShowErrorMessageBox);
    // SIGTERM and SIGINT end the run through its normal end: the show's window closes, and any
    // event loop running (the show's, a message box's) ends.
    QPointer<TfrmMain> shown;
    TSignalPipe signalPipe;
    QObject::connect(&signalPipe, &TSignalPipe::Received, &app, [&shown] {
        if (shown) shown->close();
        // Every running loop ends; exit() also reaches loops outside the application's own
        // exec(), such as a message box at the end of the settings mode.
        QCoreApplication::exit(0);
    });

    // 1. The single-instance guard; a second instance brings the first forward and ends.
    std::unique_ptr<TInstanceGuard> guard;
    if (!hosted) {
        guard = std::make_unique<TInstanceGuard>(InstanceBaseName(ProgramPath(argv[0])));
        if (guard->SecondInstance()) {
            guard->ActivateFirstInstance();
            return 0;
        }
    }

    // 2. The settings store.
    QString settingsError;
    try {
        InitializeNyBase();
    } catch (const std::exception& e) {
        // A hosted run may not end by itself (its host would show an error notice and start it
        // again): it shows the error in its window, as it does an empty folder, until it is
        // told to end.
        if (!hosted) {
            ReportError(e.what());
            return 1;
        }
        settingsError = QString::fromStdString(e.what());
    }
    // 3. The slideshow lists.
    InitializeSlideshowLists(command.Subfolders);

    // 4. The command line chooses one mode.
    int status = 0;
    if (command.Mode == TRunMode::Settings)
        ShowConfig();
    else
        status = command.Mode == TRunMode::FullScreen
                     ? RunFullScreen(shown, settingsError)
                     : RunInHostWindow(command, shown, settingsError);

    // The end, in the reverse order. Hosted runs never write the settings file: several may run
    // at once, and the settings dialog may have saved meanwhile.
    FinalizeSlideshowLists();
    if (hosted && Config) Config->SetAutoSave(false);
    const bool written = FinalizeNyBase();
    guard.reset();
    UnregisterPictureFormats();
    if (status != 0) return status;
    return written ? 0 : 1;
}

}  // namespace corvane
