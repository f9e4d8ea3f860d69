#include "shell/SessionInhibitor.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QGuiApplication>

#include <X11/Xlib.h>
#include <X11/extensions/scrnsaver.h>

namespace corvane {

namespace {
const char* const Service = "org.freedesktop.ScreenSaver";
const char* const Path = "/org/freedesktop/ScreenSaver";
const char* const Interface = "org.freedesktop.ScreenSaver";
constexpr int CallTimeoutMs = 2000;
}  // namespace

TSessionInhibitor::TSessionInhibitor() {
    if (InhibitThroughSessionBus())
        FMethod = TMethod::SessionBus;
    else if (SuspendX11(true))
        FMethod = TMethod::X11;
}

TSessionInhibitor::~TSessionInhibitor() {
    switch (FMethod) {
        case TMethod::SessionBus: {
            QDBusInterface screensaver(Service, Path, Interface, QDBusConnection::sessionBus());
            screensaver.setTimeout(CallTimeoutMs);
            screensaver.call("UnInhibit", FCookie);
            break;
        }
        case TMethod::X11:
            SuspendX11(false);
            break;
        case TMethod::Nothing:
            break;
    }
}

bool TSessionInhibitor::InhibitThroughSessionBus() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() || !bus.interface()) return false;
    if (!bus.interface()->isServiceRegistered(Service)) return false;
    QDBusInterface screensaver(Service, Path, Interface, bus);
    if (!screensaver.isValid()) return false;
    screensaver.setTimeout(CallTimeoutMs);
    const QDBusReply<uint32_t> reply = screensaver.call(
        "Inhibit", QStringLiteral("Corvane Slideshow"), QStringLiteral("The slideshow is running"));
    if (!reply.isValid()) return false;
    FCookie = reply.value();
    return true;
}

bool TSessionInhibitor::SuspendX11(bool suspend) {
    // qGuiApp casts without checking, and the application may be only a QCoreApplication.
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* display = x11 ? x11->display() : nullptr;
    if (!display) return false;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XScreenSaverQueryExtension(display, &eventBase, &errorBase)) return false;
    // Suspension came with version 1.1 of the extension.
    if (!XScreenSaverQueryVersion(display, &major, &minor) || (major < 1) ||
        (major == 1 && minor < 1))
        return false;
    XScreenSaverSuspend(display, suspend ? True : False);
    XFlush(display);
    return true;
}

}  // namespace corvane
