#include "shell/ScreenShow.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

#include "settings/LinuxSettings.h"
#include "settings/NyBase.h"

namespace corvane {

namespace {

// Full screen on the screen. The screen is named before the window is shown, so that on Wayland
// the full-screen request names its output.
void PlaceOn(TfrmMain& form, QScreen* screen) {
    form.setScreen(screen);
    form.setGeometry(screen->geometry());
    form.showFullScreen();
}

}  // namespace

bool AllScreensSetting() {
    return !Config || Config->GetBool(AllScreensKey, true, LinuxSection);
}

TScreenShow::TScreenShow(bool allScreens, const QString& startError) : FStartError(startError) {
    AddWindow(QGuiApplication::primaryScreen());
    TfrmMain& design = DesignWindow();
    design.raise();
    design.activateWindow();
    if (!allScreens) return;
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != FWindows.front().Screen) AddWindow(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, &TScreenShow::ScreenAdded);
    connect(qApp, &QGuiApplication::screenRemoved, this, &TScreenShow::ScreenRemoved);
}

TScreenShow::~TScreenShow() {
    disconnect(qApp, nullptr, this, nullptr);
    // Further screens first: the design's window was made first and goes last.
    while (!FWindows.empty()) FWindows.pop_back();
}

void TScreenShow::AddWindow(QScreen* screen) {
    TScreenWindow window;
    window.Screen = screen;
    if (!FWindows.empty()) window.Position = std::make_unique<TCyclePosition>();
    window.Form = std::make_unique<TfrmMain>(TFormMode::FullScreen, nullptr, FStartError,
                                             window.Position.get());
    TfrmMain* form = window.Form.get();
    connect(form, &TfrmMain::Closed, this, &TScreenShow::CloseAll);
    // A screen that changes its size or place takes its window along.
    connect(screen, &QScreen::geometryChanged, form, [form](const QRect& geometry) {
        form->setGeometry(geometry);
    });
    PlaceOn(*form, screen);
    FWindows.push_back(std::move(window));
}

void TScreenShow::ScreenAdded(QScreen* screen) {
    if (FClosing) return;
    const bool known = std::any_of(FWindows.begin(), FWindows.end(),
                                   [screen](const TScreenWindow& w) { return w.Screen == screen; });
    if (!known) AddWindow(screen);
}

void TScreenShow::ScreenRemoved(QScreen* screen) {
    if (FClosing) return;
    auto gone = std::find_if(FWindows.begin(), FWindows.end(),
                             [screen](const TScreenWindow& w) { return w.Screen == screen; });
    if (gone == FWindows.end()) return;
    if (gone == FWindows.begin()) {
        // The design's window stays: it takes the place of a further screen's window, or moves
        // to whatever screen is left.
        QScreen* next = nullptr;
        if (FWindows.size() > 1) {
            next = FWindows.back().Screen;
            Retire(FWindows.end() - 1);
        } else {
            for (QScreen* s : QGuiApplication::screens())
                if (s != screen) next = s;
        }
        TScreenWindow& design = FWindows.front();
        disconnect(screen, nullptr, design.Form.get(), nullptr);
        if (!next) return;  // no screen left; Qt keeps the window until one comes
        design.Screen = next;
        TfrmMain* form = design.Form.get();
        connect(next, &QScreen::geometryChanged, form,
                [form](const QRect& geometry) { form->setGeometry(geometry); });
        PlaceOn(*form, next);
        return;
    }
    Retire(gone);
}

void TScreenShow::Retire(std::vector<TScreenWindow>::iterator gone) {
    // Destroyed, not closed: closing a window ends the whole show.
    FWindows.erase(gone);
}

void TScreenShow::CloseAll() {
    if (FClosing) return;
    FClosing = true;
    for (TScreenWindow& window : FWindows) window.Form->close();
    emit Closed();
}

}  // namespace corvane
