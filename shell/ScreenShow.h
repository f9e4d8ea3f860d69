#pragma once
// The standalone full-screen show on every screen: one slideshow window per screen, each full
// screen on its screen with its own player and its own place in the playlists, all set up from
// the one settings object. The window on the primary screen plays the design's slideshow; the
// others draw their own choices from the same generator after it, so each screen shows its own
// picture. Input on any window, or the loss of activation to another application, closes them
// all, as it closes the design's one window. Screens added while the show runs get a window of
// their own; a screen that goes takes its window with it (the design's window moves to a screen
// that is left).
//
// With allScreens off there is the design's single window, on the primary screen.

#include <QObject>
#include <QString>

#include <memory>
#include <vector>

#include "shell/FormMain.h"
#include "shell/SlideshowCycle.h"

class QScreen;

namespace corvane {

class TScreenShow : public QObject {
    Q_OBJECT

  public:
    TScreenShow(bool allScreens, const QString& startError);
    ~TScreenShow() override;

    // The window of the design's slideshow.
    TfrmMain& DesignWindow() { return *FWindows.front().Form; }
    size_t WindowCount() const { return FWindows.size(); }
    // The windows in the order they were made: the design's first.
    TfrmMain& Window(size_t index) { return *FWindows.at(index).Form; }

  signals:
    // The show has closed: every window is gone from the screen.
    void Closed();

  private:
    struct TScreenWindow {
        QScreen* Screen = nullptr;
        std::unique_ptr<TCyclePosition> Position;  // none for the design's window
        std::unique_ptr<TfrmMain> Form;
    };
    std::vector<TScreenWindow> FWindows;
    QString FStartError;
    bool FClosing = false;

    void AddWindow(QScreen* screen);
    void ScreenAdded(QScreen* screen);
    void ScreenRemoved(QScreen* screen);
    void CloseAll();
    void Retire(std::vector<TScreenWindow>::iterator gone);
};

// Whether the settings ask for a window on every screen (section "Linux", key "AllScreens",
// default 1).
bool AllScreensSetting();

}  // namespace corvane
