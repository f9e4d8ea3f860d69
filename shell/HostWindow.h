#pragma once
// A window of another program that the show is drawn into: the preview window of a host, the
// window a screensaver host made for the show, or the root window. The show's own window is
// placed inside it; this object watches it on a connection of its own to the display, reporting
// when it changes size and when it is destroyed (a host may go away without any signal).

#include <QObject>
#include <QSize>

#include <cstdint>
#include <stdexcept>

class QSocketNotifier;
struct xcb_connection_t;

namespace corvane {

class EHostWindowError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class THostWindow : public QObject {
    Q_OBJECT

  public:
    // Opens the display of $DISPLAY and starts watching the window; 0 names the root window of
    // the default screen. Raises EHostWindowError when the display cannot be opened or the window
    // does not exist.
    explicit THostWindow(uint32_t windowId, QObject* parent = nullptr);
    ~THostWindow() override;

    // Whether windowId (not 0) names an existing window on the display of $DISPLAY.
    static bool Exists(uint32_t windowId);

    uint32_t WindowId() const { return FWindowId; }
    // The window's inside size, as last reported.
    QSize Size() const { return FSize; }

  signals:
    void Resized(QSize size);
    void Destroyed();

  private:
    xcb_connection_t* FConnection = nullptr;
    QSocketNotifier* FNotifier = nullptr;
    uint32_t FWindowId = 0;
    QSize FSize;
    bool FGone = false;

    void ReadEvents();
};

}  // namespace corvane
