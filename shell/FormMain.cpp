#include "shell/FormMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

#include "settings/NyBase.h"
#include "shell/InputFilter.h"
#include "shell/SlideshowCycle.h"

namespace corvane {

namespace {

constexpr const char* OptionsSection = "frmOptions";

// The eleven settings the window applies, with their defaults.
struct TShowSettings {
    int32_t Step = 4;
    int32_t Delay = 40;
    int32_t PicDelay = 1000;
    int32_t BorderWidth = 0;
    TColor BorderColor = 0xFF0000;
    TColor BgColor = 0;
    bool Center = true;
    bool Stretch = true;
    bool Proportional = true;
    int32_t AutoEffect = 1;
    int32_t AutoPic = 1;
};

TShowSettings ReadShowSettings(const TNyConfig* config) {
    TShowSettings s;
    if (!config) return s;
    auto integer = [&](const char* key, int32_t value) {
        return config->GetInt(key, value, OptionsSection);
    };
    auto boolean = [&](const char* key, bool value) {
        return config->GetBool(key, value, OptionsSection);
    };
    s.Step = integer("seStep.Value", s.Step);
    s.Delay = integer("seDelay.Value", s.Delay);
    s.PicDelay = integer("sePicDelay.Value", s.PicDelay);
    s.BorderWidth = integer("seBorderWidth.Value", s.BorderWidth);
    s.BorderColor = TColor(integer("ccbBorderColor.SelectedColor", int32_t(s.BorderColor)));
    s.BgColor = TColor(integer("ccbBgColor.SelectedColor", int32_t(s.BgColor)));
    s.Center = boolean("chkCenter.Checked", s.Center);
    s.Stretch = boolean("chkStretch.Checked", s.Stretch);
    s.Proportional = boolean("chkProportional.Checked", s.Proportional);
    s.AutoEffect = integer("rgAutoEffect.ItemIndex", s.AutoEffect);
    s.AutoPic = integer("rgAutoPic.ItemIndex", s.AutoPic);
    return s;
}

}  // namespace

TfrmMain::TfrmMain(TFormMode mode, QWidget* parent, const QString& startError,
                   TCyclePosition* position)
    : QWidget(parent),
      FMode(mode),
      FPosition(position ? position : &DesignPosition),
      FStartError(startError) {
    // The window as designed: borderless, 400 x 300 until it is given its real size.
    setObjectName("frmMain");
    setWindowTitle("frmMain");
    setWindowFlags(windowFlags() | Qt::FramelessWindowHint);
    resize(400, 300);
    // Mouse moves reach the window even with no button held.
    setMouseTracking(true);

    FPlayer = new TTransitionPlayer(this);
    FPlayer->setObjectName("Player");
    FPlayer->setGeometry(0, 0, 100, 100);
    FPlayer->setMouseTracking(true);
    FPlayer->SetCenter(true);
    FPlayer->SetStretch(true);
    FPlayer->SetProportional(true);
    FPlayer->SetColor(clBlack);
    FPlayer->SetStyle(1);
    FPlayer->OnComplete = [this](TCustomTransitionPlayer& sender) {
        PlayerComplete(sender, *FPosition);
    };

    FormCreate();
}

TfrmMain::~TfrmMain() {
    // The player stops its transition first; no completion may reach the cycle afterwards.
    FPlayer->OnComplete = nullptr;
}

void TfrmMain::FormCreate() {
    if (HasOwner()) {
        FInputFilter = new TInputFilter([this] { CloseShow(); }, this);
        qApp->installEventFilter(FInputFilter);
        connect(qApp, &QGuiApplication::applicationStateChanged, this,
                &TfrmMain::ApplicationStateChanged);
    }

    // The player always fills the window.
    FPlayer->SetAlign(alClient);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(FPlayer);

    ApplySettings();

    if (FStartError.isEmpty()) {
        try {
            PlayerComplete(*FPlayer, *FPosition);
        } catch (const std::exception& e) {
            FStartError = QString::fromStdString(e.what());
        }
    }
    // Reported once the window is up, so that the report shows over it; the window keeps its
    // background colour meanwhile. A further screen's window leaves that to the design's.
    if (!FStartError.isEmpty() && FPosition == &DesignPosition)
        QTimer::singleShot(0, this,
                           [message = FStartError.toStdString()] { ReportError(message); });
}

void TfrmMain::ApplySettings() {
    const TShowSettings s = ReadShowSettings(Config.get());
    FPlayer->SetStep(s.Step);
    // Frame intervals above 65535 ms are held at 65535 ms rather than cut to their low 16 bits.
    FPlayer->SetDelay(s.Delay);
    PicDelay = s.PicDelay;
    FPlayer->SetFrameWidth(s.BorderWidth);
    FPlayer->SetFrameColor(s.BorderColor);
    FPlayer->SetColor(s.BgColor);
    FPlayer->SetCenter(s.Center);
    FPlayer->SetStretch(s.Stretch);
    FPlayer->SetProportional(s.Proportional);
    AutoEffect = uint8_t(s.AutoEffect);
    AutoPic = uint8_t(s.AutoPic);
}

void TfrmMain::FormActivate() {
    if (HasOwner()) setCursor(Qt::BlankCursor);
}

void TfrmMain::FormClose() {
    Closing = true;
}

void TfrmMain::CloseShow() {
    close();
}

bool TfrmMain::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            FormActivate();
            break;
        case QEvent::WindowDeactivate:
            // Losing activation to another application ends the show; a window of the show
            // itself (the error report) taking it does not.
            if (HasOwner() && !QApplication::activeWindow()) {
                CloseShow();
                return true;
            }
            break;
        default:
            break;
    }
    return QWidget::event(event);
}

void TfrmMain::ApplicationStateChanged(Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) CloseShow();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (FClosed) return;
    FClosed = true;
    FormClose();
    emit Closed();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (FMessage) FMessage->setGeometry(rect());
}

void TfrmMain::ShowMessageText(const QString& text) {
    if (!FMessage) {
        FMessage = new QLabel(this);
        FMessage->setObjectName("lblMessage");
        FMessage->setAlignment(Qt::AlignCenter);
        FMessage->setWordWrap(true);
        FMessage->setAttribute(Qt::WA_TransparentForMouseEvents);
        FMessage->setStyleSheet("QLabel { color: white; background: transparent; }");
        QFont font = FMessage->font();
        font.setPointSize(std::max(10, height() / 40));
        FMessage->setFont(font);
    }
    FMessage->setText(text);
    FMessage->setGeometry(rect());
    FMessage->raise();
    FMessage->show();
}

QString TfrmMain::MessageText() const {
    return FMessage ? FMessage->text() : QString();
}

}  // namespace corvane
