#include "player/CustomTransitionPlayer.h"

#include <QMetaProperty>
#include <QVariant>

#include <algorithm>

#include "player/AnimateThread.h"

namespace corvane {

TCustomTransitionPlayer::TCustomTransitionPlayer(QWidget* parent) : QWidget(parent) {
    // The control covers every pixel itself: no system background, no erasing before a paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    FPicture.OnChange = [this](TPicture&) { PictureChanged(); };
    FBgPicture.OnChange = [this](TPicture&) {
        if (FBgMode != bmNone) BackgroundChanged();
    };
    resize(100, 100);
}

TCustomTransitionPlayer::~TCustomTransitionPlayer() { StopForDestruction(); }

void TCustomTransitionPlayer::StopForDestruction() {
    if (FDestroying) return;
    FDestroying = true;
    FPicture.OnChange = nullptr;
    FBgPicture.OnChange = nullptr;
    try {
        Stop();
    } catch (...) {
        // A frame that failed on the worker has nobody left to report to.
    }
}

// --- Look ---

void TCustomTransitionPlayer::SetBgMode(TBackgroundMode value) {
    if (value == FBgMode) return;
    FBgMode = value;
    if (FBgPicture.Graphic()) BackgroundChanged();
}

void TCustomTransitionPlayer::SetCenter(bool value) {
    if (value == FCenter) return;
    FCenter = value;
    PlacementChanged();
}

void TCustomTransitionPlayer::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    PlacementChanged();
}

void TCustomTransitionPlayer::SetProportional(bool value) {
    if (value == FProportional) return;
    FProportional = value;
    PlacementChanged();
}

void TCustomTransitionPlayer::SetFrameColor(TColor value) {
    if (value == FFrameColor) return;
    FFrameColor = value;
    if (FFrameWidth != 0 && !FScreenBitmap.Empty()) update();
}

void TCustomTransitionPlayer::SetFrameWidth(int32_t value) {
    value = std::max<int32_t>(0, value);
    if (value == FFrameWidth) return;
    FFrameWidth = value;
    AdjustAutoSize();
    PlacementChanged();
}

void TCustomTransitionPlayer::SetColor(TColor value) {
    if (value == FColor) return;
    FColor = value;
    update();
}

void TCustomTransitionPlayer::PlacementChanged() {
    CalcRects();
    if (!FScreenBitmap.Empty()) update();
}

void TCustomTransitionPlayer::BackgroundChanged() {
    if (FFromBackground && FOldFrame) RenderBackground();
    update();
}

// --- Running ---

void TCustomTransitionPlayer::SetStyle(int value) {
    if (value < 0 || value > TEffectCatalog::Count || value == FStyle) return;
    bool recomposed = false;
    {
        std::lock_guard lock(FFrameLock);
        FStyle = TShowStyle(value);
        if (FBusy && FManual && !FStopping) {
            UpdateFrame();
            recomposed = true;
        }
    }
    if (recomposed) update(ToQRect(FPlacementRect));
}

std::string TCustomTransitionPlayer::StyleName() const {
    const int style = FStyle;
    return style == 0 ? std::string("Custom") : std::string(Effects[style].Name);
}

void TCustomTransitionPlayer::SetStyleName(const std::string& value) {
    const int number = EffectNumberOfName(value);
    if (number >= 0) SetStyle(number);
}

void TCustomTransitionPlayer::SetStep(int value) { FStep = uint16_t(std::clamp(value, 1, 100)); }

void TCustomTransitionPlayer::SetDelay(int value) {
    FDelay = uint16_t(std::clamp(value, 0, 0xFFFF));
}

void TCustomTransitionPlayer::SetProgress(int value) { SetProgressFrom(value, nullptr); }

// --- Operations ---

void TCustomTransitionPlayer::Execute() {
    // A graphic without pixels would hand the effects a frame of no width or height.
    const TGraphic* graphic = FPicture.Graphic();
    if (!graphic || graphic->Empty() || FBusy) return;
    FBusy = true;
    const uint64_t transition = ++FTransitionId;
    ++FRunId;
    try {
        Prepare();
        // An OnStart handler may have stopped this transition, or finished it and begun another.
        if (FTransitionId == transition && FBusy && !FManual && !FStopping) Animate();
    } catch (...) {
        // Only if a handler has not already finished this transition and begun another.
        if (FTransitionId == transition) {
            FPictureBitmap.Reset();
            FOldFrame.Reset();
            FBusy = false;
        }
        throw;
    }
}

void TCustomTransitionPlayer::Stop() {
    TAnimateThread* worker = TAnimateThread::Current();
    if (worker && &worker->Player() == this) {
        // A handler on the worker: the worker cannot wait for itself. It ends after this frame,
        // and its completion finishes the transition as stopped.
        if (FBusy) {
            FStopRequested = true;
            worker->Terminate();
        }
        return;
    }
    if (!FBusy || FStopping) return;
    FStopping = true;
    struct TStopMark {
        bool& Mark;
        ~TStopMark() { Mark = false; }
    } mark{FStopping};
    if (FManual || !WaitForThread()) FinishTransition(false);
}

void TCustomTransitionPlayer::Clear() {
    if (FBusy || FScreenBitmap.Empty()) return;
    FScreenBitmap.SetSize(0, 0);
    FScreenPlain.reset();
    FScreenSource.reset();
    FPlacementRect = TRect{};
    FSourceRect = TRect{};
    update();
}

int TCustomTransitionPlayer::GetStyleNames(QStringList& list) const {
    list.reserve(list.size() + TEffectCatalog::Count);
    for (const TEffect& effect : Effects) list.append(QString::fromUtf8(effect.Name));
    return TEffectCatalog::Count;
}

void TCustomTransitionPlayer::FinishTransition(bool failed) {
    FBusy = false;
    FPictureBitmap.Reset();
    FOldFrame.Reset();
    if (FDestroying) return;
    if (!FStopping && !failed) DoComplete();
    DoStop();
}

// --- Pictures and automatic size ---

void TCustomTransitionPlayer::PictureChanged() {
    if (FDestroying) return;
    if (FPicture.Graphic()) AdjustAutoSize();
    updateGeometry();
    DoChange();
}

void TCustomTransitionPlayer::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    AdjustAutoSize();
}

void TCustomTransitionPlayer::SetAlign(TAlign value) {
    if (value == FAlign) return;
    FAlign = value;
    AdjustAutoSize();
}

bool TCustomTransitionPlayer::CanAutoSize(int& newWidth, int& newHeight) const {
    if (!FPicture.Graphic() || FAlign == alClient) return false;
    const QMargins margins = contentsMargins();
    if (FAlign != alTop && FAlign != alBottom)
        newWidth = FPicture.Width() + 2 * FFrameWidth + margins.left() + margins.right();
    if (FAlign != alLeft && FAlign != alRight)
        newHeight = FPicture.Height() + 2 * FFrameWidth + margins.top() + margins.bottom();
    return true;
}

QSize TCustomTransitionPlayer::sizeHint() const {
    int w = width(), h = height();
    if (CanAutoSize(w, h)) return QSize(w, h);
    return QWidget::sizeHint();
}

void TCustomTransitionPlayer::AdjustAutoSize() {
    if (!FAutoSize) return;
    int w = width(), h = height();
    if (CanAutoSize(w, h) && (w != width() || h != height())) resize(w, h);
}

bool TCustomTransitionPlayer::ApplyStoredProperty(const QString& name, const QVariant& value) {
    // An older name of Proportional, read but never written.
    if (name == QLatin1String("StretchFine")) {
        if (!value.canConvert<bool>()) return false;
        SetProportional(value.toBool());
        return true;
    }
    const QMetaObject* meta = metaObject();
    const int index = meta->indexOfProperty(name.toUtf8().constData());
    if (index < 0) return false;
    const QMetaProperty property = meta->property(index);
    if (!property.isWritable()) return false;
    return property.write(this, value);
}

// --- Events ---

void TCustomTransitionPlayer::DoChange() {
    if (OnChange) OnChange(*this);
}
void TCustomTransitionPlayer::DoProgress() {
    if (OnProgress) OnProgress(*this);
}
void TCustomTransitionPlayer::DoCustomDraw(Bitmap32& picture, Bitmap32& screen) {
    if (OnCustomDraw) OnCustomDraw(*this, picture, screen);
}
void TCustomTransitionPlayer::DoBeforeNewFrame(Bitmap32& picture, Bitmap32& screen) {
    if (OnBeforeNewFrame) OnBeforeNewFrame(*this, picture, screen);
}
void TCustomTransitionPlayer::DoAfterNewFrame(Bitmap32& picture, Bitmap32& screen) {
    if (OnAfterNewFrame) OnAfterNewFrame(*this, picture, screen);
}
void TCustomTransitionPlayer::DoComplete() {
    if (OnComplete) OnComplete(*this);
}
void TCustomTransitionPlayer::DoStart(Bitmap32& picture, Bitmap32& screen) {
    if (OnStart) OnStart(*this, picture, screen);
}
void TCustomTransitionPlayer::DoStop() {
    if (OnStop) OnStop(*this);
}
void TCustomTransitionPlayer::DoMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}
void TCustomTransitionPlayer::DoMouseLeave() {
    if (OnMouseLeave) OnMouseLeave(*this);
}

void TCustomTransitionPlayer::enterEvent(QEnterEvent* event) {
    QWidget::enterEvent(event);
    DoMouseEnter();
}

void TCustomTransitionPlayer::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    DoMouseLeave();
}

}  // namespace corvane
