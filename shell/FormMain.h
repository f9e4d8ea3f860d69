#pragma once
// The slideshow window: one transition player filling it, set up from the settings, running the
// slideshow cycle.
//
// It has three modes. Full screen (the standalone show, owned by the application): it closes as
// soon as the user presses a key or a mouse button, moves the mouse or leaves for another
// application, and hides the mouse cursor. Preview (inside a host's preview window) and hosted
// (inside a screensaver host's window): none of the closing rules applies and the cursor is left
// alone; the window ends when its host window goes away or the process is told to end.

#include <QLabel>
#include <QWidget>

#include "player/TransitionPlayer.h"
#include "shell/SlideshowCycle.h"

namespace corvane {

class TInputFilter;

enum class TFormMode { FullScreen, Preview, Hosted };

class TfrmMain : public QWidget {
    Q_OBJECT

  public:
    // Creates the window and runs FormCreate: the first picture change starts at once. Given a
    // start error, the window reports that (drawn into it where no message box may open) and
    // starts no show.
    //
    // The window plays the design's slideshow; given a position of its own (a further screen's
    // window) it goes through the playlists from there, and leaves the reporting of errors to
    // the design's window.
    explicit TfrmMain(TFormMode mode, QWidget* parent = nullptr,
                      const QString& startError = QString(), TCyclePosition* position = nullptr);
    ~TfrmMain() override;

    TFormMode Mode() const { return FMode; }
    // Full screen: the application owns the window and the closing rules apply.
    bool HasOwner() const { return FMode == TFormMode::FullScreen; }

    TTransitionPlayer& Player() { return *FPlayer; }
    const TInputFilter* InputFilter() const { return FInputFilter; }

    // Shows a message over the show, where no message box may open (hosted runs).
    void ShowMessageText(const QString& text);
    QString MessageText() const;

    // An error of the start (given, or of the first PlayerComplete), reported once the event
    // loop runs; empty if none.
    const QString& StartError() const { return FStartError; }

  signals:
    // The window has closed; the run ends.
    void Closed();

  protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    TFormMode FMode;
    TCyclePosition* FPosition;
    TTransitionPlayer* FPlayer = nullptr;
    TInputFilter* FInputFilter = nullptr;
    QLabel* FMessage = nullptr;
    QString FStartError;
    bool FClosed = false;

    void FormCreate();
    void FormActivate();
    void FormClose();
    void ApplySettings();
    void CloseShow();
    void ApplicationStateChanged(Qt::ApplicationState state);
};

}  // namespace corvane
