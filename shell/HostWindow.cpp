#include "shell/HostWindow.h"

#include <QSocketNotifier>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace corvane {

namespace {
template <typename T>
using XcbReply = std::unique_ptr<T, decltype(&std::free)>;
}  // namespace

THostWindow::THostWindow(uint32_t windowId, QObject* parent) : QObject(parent) {
    int screenNumber = 0;
    FConnection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(FConnection)) {
        xcb_disconnect(FConnection);
        throw EHostWindowError("Cannot open the display");
    }
    if (windowId == 0) {
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(FConnection));
        for (int i = 0; i < screenNumber && it.rem; ++i) xcb_screen_next(&it);
        windowId = it.data->root;
    }
    FWindowId = windowId;

    // Only this connection's own selection on the window changes; the host's stays as it is.
    const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(FConnection, FWindowId, XCB_CW_EVENT_MASK, &mask);
    // Read after selecting, so that no change falls between the two.
    XcbReply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(FConnection, xcb_get_geometry(FConnection, FWindowId), nullptr),
        &std::free);
    if (!geometry) {
        xcb_disconnect(FConnection);
        throw EHostWindowError("The window " + std::to_string(windowId) + " does not exist");
    }
    FSize = QSize(geometry->width, geometry->height);

    FNotifier =
        new QSocketNotifier(xcb_get_file_descriptor(FConnection), QSocketNotifier::Read, this);
    connect(FNotifier, &QSocketNotifier::activated, this, &THostWindow::ReadEvents);
}

bool THostWindow::Exists(uint32_t windowId) {
    if (windowId == 0) return false;
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    XcbReply<xcb_get_geometry_reply_t> geometry(nullptr, &std::free);
    if (!xcb_connection_has_error(connection))
        geometry.reset(xcb_get_geometry_reply(connection, xcb_get_geometry(connection, windowId),
                                              nullptr));
    xcb_disconnect(connection);
    return geometry != nullptr;
}

THostWindow::~THostWindow() {
    delete FNotifier;
    xcb_disconnect(FConnection);
}

void THostWindow::ReadEvents() {
    while (xcb_generic_event_t* raw = xcb_poll_for_event(FConnection)) {
        XcbReply<xcb_generic_event_t> event(raw, &std::free);
        switch (event->response_type & 0x7F) {
            case XCB_CONFIGURE_NOTIFY: {
                auto* e = reinterpret_cast<xcb_configure_notify_event_t*>(event.get());
                const QSize size(e->width, e->height);
                if (e->window == FWindowId && size != FSize) {
                    FSize = size;
                    emit Resized(size);
                }
                break;
            }
            case XCB_DESTROY_NOTIFY: {
                auto* e = reinterpret_cast<xcb_destroy_notify_event_t*>(event.get());
                if (e->window == FWindowId && !FGone) {
                    FGone = true;
                    emit Destroyed();
                }
                break;
            }
            default:
                break;
        }
    }
    if (xcb_connection_has_error(FConnection) && !FGone) {
        // The display went away: there is nothing left to draw into.
        FNotifier->setEnabled(false);
        FGone = true;
        emit Destroyed();
    }
}

}  // namespace corvane
