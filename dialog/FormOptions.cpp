#include "dialog/FormOptions.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QtConcurrent/QtConcurrentRun>

#include "dialog/DialogArt.h"
#include "dialog/PreviewPicture.h"
#include "imaging/Bitmap.h"
#include "player/PictureLoader.h"
#include "player/SystemColors.h"
#include "settings/IniValue.h"
#include "settings/NyBase.h"
#include "settings/NyBaseQt.h"
#include "shell/SlideshowLists.h"
#include "ui_FormOptions.h"

namespace corvane {

namespace {

// The dialog's font: Tahoma 8 point where it is installed, otherwise the desktop's own font at
// 8 point. The layout is drawn for Tahoma's narrow letters, where the captions left of the speed
// boxes have 98 pixels; a wider font is narrowed (its condensed face, or its letters drawn
// narrower) until they fit.
QFont DialogFont() {
    QFont font = QFontDatabase::families().contains(QStringLiteral("Tahoma"))
                     ? QFont(QStringLiteral("Tahoma"))
                     : QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(8);
    for (const int stretch : {100, 94, 87, 81}) {
        font.setStretch(stretch);
        if (QFontMetrics(font).horizontalAdvance(QStringLiteral("Steps Interval (ms):")) <= 98)
            break;
    }
    return font;
}

// A font that only sets what is given; family and size come from the form.
QFont PartialFont(int pixelSize, bool bold, bool underline) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    if (underline) font.setUnderline(true);
    return font;
}

// Runs a handler; an error it raises goes to the error report instead of through Qt.
template <typename Handler>
auto Reporting(Handler handler) {
    return [handler] {
        try {
            handler();
        } catch (const std::exception& e) {
            ReportError(e.what());
        }
    };
}

// A playlist entry's integer, or the fallback for text that is not one.
int64_t EntryValue(const std::string& entry, int64_t fallback) {
    const std::optional<int32_t> value = ParseIniInteger(entry);
    return value ? int64_t(*value) : fallback;
}

}  // namespace

TfrmOptions::TfrmOptions(QWidget* parent)
    : QDialog(parent),
      FUi(std::make_unique<Ui::TfrmOptions>()),
      FLoader(std::make_unique<TPictureLoader>()) {
    FLoader->OnLoaded = [this](TPictureLoader::TResult& result) {
        PictureLoaded(FLoadRequest, std::move(result.Graphic), result.FileName,
                      std::move(result.Error), FLoadFallback);
    };
    setFont(DialogFont());
    FUi->setupUi(this);
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(661, 432);
    setSizeGripEnabled(false);
    FUi->btnOk->setDefault(true);
    ApplyFonts();
    ApplyArt();
    // The contact block is headed by a line only, its title above it as on the other boxes.
    FUi->GroupBox5->setStyleSheet(QStringLiteral(
        "QGroupBox { border: none; border-top: 1px solid palette(mid); margin-top: 15px; }"
        "QGroupBox::title { subcontrol-origin: margin; subcontrol-position: top left; }"));
    FUi->pcOpt->setTabVisible(FUi->pcOpt->indexOf(FUi->tsUI), false);
    FUi->pcOpt->setCurrentWidget(FUi->tsGeneral);

    // The preview animates at idle priority, so that it never slows the dialog's input (the
    // form cannot name this enumeration; the other design values of the preview are there).
    Player().SetThreadPriority(tpIdle);

    ConnectHandlers();
    FormCreate();
}

TfrmOptions::~TfrmOptions() {
    // Nothing may reach the handlers any more; the loader waits for the file in hand.
    FFitting.disconnect();
    FLoader.reset();
}

TTransitionPlayer& TfrmOptions::Player() const {
    return *FUi->Player;
}

void TfrmOptions::ApplyFonts() {
    FUi->lblVer->setFont(PartialFont(19, true, false));
    FUi->nyLinkLabel1->setFont(PartialFont(16, true, true));
}

void TfrmOptions::ApplyArt() {
    FUi->Image1->setPixmap(MonitorPicture());
    FUi->pcOpt->setTabIcon(FUi->pcOpt->indexOf(FUi->tsGeneral), PageIcon(TPageIcon::Options));
    FUi->pcOpt->setTabIcon(FUi->pcOpt->indexOf(FUi->tsUI), PageIcon(TPageIcon::GetMore));
    FUi->pcOpt->setTabIcon(FUi->pcOpt->indexOf(FUi->tsMisc), PageIcon(TPageIcon::About));
    const std::pair<QToolButton*, TToolIcon> tools[] = {
        {FUi->tbCheckAll, TToolIcon::CheckAll},
        {FUi->tbUncheckAll, TToolIcon::UncheckAll},
        {FUi->tbCheck, TToolIcon::CheckSelected},
        {FUi->ToolButton3, TToolIcon::UncheckSelected},
        {FUi->ToolButton2, TToolIcon::CheckAll},
        {FUi->ToolButton4, TToolIcon::UncheckAll},
        {FUi->ToolButton6, TToolIcon::CheckSelected},
        {FUi->ToolButton7, TToolIcon::UncheckSelected},
    };
    for (const auto& [button, icon] : tools) button->setIcon(ToolIcon(icon));
}

void TfrmOptions::ConnectHandlers() {
    Ui::TfrmOptions& ui = *FUi;
    connect(ui.btnOk, &QPushButton::clicked, this, [this] {
        // The dialog closes with OK also when storing fails; the error is reported first.
        Reporting([this] { btnOkClick(); })();
        accept();
    });
    connect(ui.Button13, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui.Button14, &QPushButton::clicked, this, Reporting([this] { Button14Click(); }));
    connect(ui.Button15, &QPushButton::clicked, this, Reporting([this] { Button15Click(); }));

    connect(ui.tbCheckAll, &QToolButton::clicked, this, [this] { tbCheckAllClick(); });
    connect(ui.tbUncheckAll, &QToolButton::clicked, this, [this] { tbUncheckAllClick(); });
    connect(ui.tbCheck, &QToolButton::clicked, this, [this] { tbCheckClick(); });
    connect(ui.ToolButton3, &QToolButton::clicked, this, [this] { ToolButton3Click(); });
    connect(ui.ToolButton2, &QToolButton::clicked, this, [this] { ToolButton2Click(); });
    connect(ui.ToolButton4, &QToolButton::clicked, this, [this] { ToolButton4Click(); });
    connect(ui.ToolButton6, &QToolButton::clicked, this, [this] { ToolButton6Click(); });
    connect(ui.ToolButton7, &QToolButton::clicked, this, [this] { ToolButton7Click(); });

    connect(ui.clEffect, &TCheckListBox::Clicked, this, Reporting([this] { clEffectClick(); }));
    connect(ui.clEffect, &TCheckListBox::TickChanged, this, [this] { clEffectChange(); });
    connect(ui.clPic, &TCheckListBox::Clicked, this, [this] { clPicClick(); });
    connect(ui.clPic, &TCheckListBox::TickChanged, this, [this] { clPicChange(); });

    for (TSpinEdit* edit : {ui.seStep, ui.seDelay, ui.seBorderWidth})
        connect(edit, &TSpinEdit::Changed, this, [this] { UpdateCtrlsEvent(); });
    for (TColorComboBox* combo : {ui.ccbBgColor, ui.ccbBorderColor})
        connect(combo, &TColorComboBox::Changed, this, [this] { UpdateCtrlsEvent(); });
    for (TCheckBox* box : {ui.chkCenter, ui.chkStretch, ui.chkProportional})
        connect(box, &QCheckBox::toggled, this, [this] { UpdateCtrlsEvent(); });

    connect(&FFitting, &QFutureWatcherBase::finished, this,
            [this] { PictureFitted(FPictureRequest); });
}

// --- Start-up ---

void TfrmOptions::FormCreate() {
    QGuiApplication::setApplicationDisplayName(QString::fromLatin1(ApplicationTitle));
    FUi->lblVer->setText(QStringLiteral("%1 %2").arg(QString::fromLatin1(ApplicationTitle),
                                                     QString::fromLatin1(ApplicationVersion)));
    FUi->lblCopyright->setText(FUi->lblCopyright->text().replace(
        QStringLiteral("%s"), QString::fromLatin1(ApplicationTitle)));
    // The hidden page; a missing page leaves it empty.
    const QString page = QString::fromStdString(AppPath + "more/index.html");
    if (QFileInfo::exists(page)) FUi->wbMain->setSource(QUrl::fromLocalFile(page));

    FillLists();
    clPicClick();
    try {
        if (Config) LoadForm(*Config, *this);
    } catch (const std::exception& e) {
        // The dialog opens as far as it got; the error shows once it is up.
        FStartError = QString::fromUtf8(e.what());
        QTimer::singleShot(0, this, [message = std::string(e.what())] { ReportError(message); });
        return;
    }
    TickPlaylists();
    UpdateCtrls();
}

void TfrmOptions::FillLists() {
    QStringList names;
    Player().GetStyleNames(names);
    for (int i = 0; i < names.size(); ++i)
        FUi->clEffect->AddItem(
            QString::asprintf("[#%.3d] %s", i + 1, names[i].toUtf8().constData()));
    for (size_t i = 0; i < PicList.size(); ++i)
        FUi->clPic->AddItem(QString::asprintf("[#%.3d]", int(i + 1)));
    if (FUi->clEffect->Count() > 0) FUi->clEffect->SetItemIndex(0);
    if (FUi->clPic->Count() > 0) FUi->clPic->SetItemIndex(0);
}

void TfrmOptions::TickPlaylists() {
    // An entry that is not a number counts as effect 1 or picture 0; one that names no item is
    // skipped.
    for (const std::string& entry : EffsChecked) {
        const int64_t item = EntryValue(entry, 1) - 1;
        if (item >= 0 && item < FUi->clEffect->Count()) FUi->clEffect->SetChecked(int(item), true);
    }
    for (const std::string& entry : PicsChecked) {
        const int64_t item = EntryValue(entry, 0);
        if (item >= 0 && item < FUi->clPic->Count()) FUi->clPic->SetChecked(int(item), true);
    }
}

// --- Commands ---

void TfrmOptions::btnOkClick() {
    if (!Config) return;
    SaveForm(*Config, *this);
    StorePlaylists();
}

void TfrmOptions::StorePlaylists() {
    EffsChecked.clear();
    for (int i = 0; i < FUi->clEffect->Count(); ++i)
        if (FUi->clEffect->Checked(i)) EffsChecked.push_back(std::to_string(i + 1));
    Config->WriteList("EffsChecked", EffsChecked);
    PicsChecked.clear();
    for (int i = 0; i < FUi->clPic->Count(); ++i)
        if (FUi->clPic->Checked(i)) PicsChecked.push_back(std::to_string(i));
    Config->WriteList("PicsChecked", PicsChecked);
}

void TfrmOptions::Button15Click() {
    if (!ConfirmBox(QStringLiteral("Are you sure you want to restore the default settings?")))
        return;
    Ui::TfrmOptions& ui = *FUi;
    ui.seStep->SetValue(4);
    ui.seDelay->SetValue(40);
    ui.sePicDelay->SetValue(1000);
    ui.seBorderWidth->SetValue(0);
    ui.ccbBorderColor->SetSelectedColor(0xFF0000);
    ui.ccbBgColor->SetSelectedColor(clBlack);
    ui.chkCenter->setChecked(true);
    ui.chkStretch->setChecked(true);
    ui.chkProportional->setChecked(true);
    ui.rgAutoEffect->SetItemIndex(1);
    ui.rgAutoPic->SetItemIndex(1);
    for (int i = 0; i < ui.clEffect->Count(); ++i) ui.clEffect->SetChecked(i, true);
    for (int i = 0; i < ui.clPic->Count(); ++i) ui.clPic->SetChecked(i, true);
    UpdateCtrls();
}

void TfrmOptions::Button14Click() {
    ShellOpen(QString::fromStdString(AppPath + "readme.txt"));
}

namespace {

void TickAll(TCheckListBox& list, bool checked) {
    for (int i = 0; i < list.Count(); ++i) list.SetChecked(i, checked);
}

void TickSelected(TCheckListBox& list, bool checked) {
    for (int i = 0; i < list.Count(); ++i)
        if (list.Selected(i)) list.SetChecked(i, checked);
}

}  // namespace

void TfrmOptions::tbCheckAllClick() {
    TickAll(*FUi->clEffect, true);
    UpdateCtrls();
}

void TfrmOptions::tbUncheckAllClick() {
    TickAll(*FUi->clEffect, false);
    UpdateCtrls();
}

void TfrmOptions::tbCheckClick() {
    TickSelected(*FUi->clEffect, true);
    UpdateCtrls();
}

void TfrmOptions::ToolButton3Click() {
    TickSelected(*FUi->clEffect, false);
    UpdateCtrls();
}

void TfrmOptions::ToolButton2Click() {
    TickAll(*FUi->clPic, true);
    UpdateCtrls();
}

void TfrmOptions::ToolButton4Click() {
    TickAll(*FUi->clPic, false);
    UpdateCtrls();
}

void TfrmOptions::ToolButton6Click() {
    TickSelected(*FUi->clPic, true);
    UpdateCtrls();
}

void TfrmOptions::ToolButton7Click() {
    TickSelected(*FUi->clPic, false);
    UpdateCtrls();
}

void TfrmOptions::clEffectChange() {
    UpdateCtrls();
}

void TfrmOptions::clPicChange() {
    UpdateCtrls();
}

void TfrmOptions::UpdateCtrlsEvent() {
    UpdateCtrls();
}

// --- The preview ---

void TfrmOptions::UpdateCtrls() {
    Ui::TfrmOptions& ui = *FUi;
    TTransitionPlayer& player = Player();
    player.SetStep(ui.seStep->IntValue());
    // The player holds step intervals above 65535 ms at 65535 ms.
    player.SetDelay(ui.seDelay->IntValue());
    player.SetFrameWidth(ui.seBorderWidth->IntValue());
    player.SetFrameColor(ui.ccbBorderColor->SelectedColor());
    player.SetColor(ui.ccbBgColor->SelectedColor());
    player.SetCenter(ui.chkCenter->isChecked());
    player.SetStretch(ui.chkStretch->isChecked());
    player.SetProportional(ui.chkProportional->isChecked());

    const bool border = ui.seBorderWidth->IntValue() > 0;
    ui.ccbBorderColor->setEnabled(border);
    ui.lblBorderColor->setEnabled(border);
    ui.btnOk->setEnabled(ui.clEffect->CheckedCount() > 0 && ui.clPic->CheckedCount() > 0);
    ui.gbEffect->setTitle(
        QString::asprintf(" Effects (%d/%d) ", ui.clEffect->CheckedCount(), ui.clEffect->Count()));
    ui.gbPic->setTitle(
        QString::asprintf(" Pics (%d/%d) ", ui.clPic->CheckedCount(), ui.clPic->Count()));
}

void TfrmOptions::PlayPreview() {
    TTransitionPlayer& player = Player();
    if (player.Busy()) player.Stop();
    player.Clear();
    int style = FUi->clEffect->ItemIndex() + 1;
    if (style < 0 || style > TEffectCatalog::Count) style = 1;
    player.SetStyle(style);
    player.Execute();
}

void TfrmOptions::clEffectClick() {
    PlayPreview();
}

void TfrmOptions::clPicClick() {
    // The rest of the click runs when the picture is ready (ShowPreviewPicture).
    LoadPreviewPicture();
}

void TfrmOptions::LoadPreviewPicture() {
    const uint64_t request = ++FPictureRequest;
    FPreviewPending = true;
    const int index = FUi->clPic->ItemIndex();
    if (index < 0 || size_t(index) >= PicList.size()) {
        LoadFirstPicture(request);
        return;
    }
    LoadFile(PicList[size_t(index)], request, false);
}

void TfrmOptions::LoadFile(const std::string& fileName, uint64_t request, bool fallback) {
    FLoadRequest = request;
    FLoadFallback = fallback;
    FLoader->Load(fileName);
}

void TfrmOptions::LoadFirstPicture(uint64_t request) {
    if (PicList.empty()) {
        // Reported once the current handler (or the start-up) has returned.
        QTimer::singleShot(0, this, [this, request] {
            if (request == FPictureRequest)
                PreviewPictureFailed("No pictures found in " + PicturesFolder());
        });
        return;
    }
    LoadFile(PicList.front(), request, true);
}

void TfrmOptions::PictureLoaded(uint64_t request, std::unique_ptr<TGraphic> graphic,
                                const std::string& fileName, std::string error, bool fallback) {
    if (request != FPictureRequest) return;
    if (graphic && graphic->Empty()) {
        graphic.reset();
        error = fileName + " holds no picture";
    }
    if (!graphic) {
        // The first failure goes unreported: the first picture of the list stands in.
        if (!fallback)
            LoadFirstPicture(request);
        else
            PreviewPictureFailed(error);
        return;
    }
    std::shared_ptr<const TGraphic> picture(std::move(graphic));
    const Pixel background = PixelOfColor(Player().Color(), Player().palette());
    const int width = Player().width();
    const int height = Player().height();
    FFitting.setFuture(QtConcurrent::run([picture, width, height, background] {
        TFitted fitted;
        try {
            fitted.Bitmap = FitPicture(*picture, width, height, background);
        } catch (const std::exception& e) {
            fitted.Error = e.what();
        }
        return fitted;
    }));
}

void TfrmOptions::PictureFitted(uint64_t request) {
    if (request != FPictureRequest || FFitting.isCanceled()) return;
    TFitted fitted = FFitting.result();
    if (!fitted.Error.empty()) {
        PreviewPictureFailed(fitted.Error);
        return;
    }
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetImage(std::move(fitted.Bitmap));
    Player().Picture().SetGraphic(std::move(bitmap));
    ShowPreviewPicture();
}

void TfrmOptions::ShowPreviewPicture() {
    const uint64_t request = FPictureRequest;
    const QPointer<TfrmOptions> alive(this);
    TTransitionPlayer& player = Player();
    // With a step of 100 the first frame is the whole new picture.
    const int remembered = player.Step();
    player.SetStep(100);
    Reporting([this] { PlayPreview(); })();
    // Other handlers, a newer click among them, may run meanwhile.
    while (alive && player.Busy())
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    if (!alive) return;
    player.SetStep(remembered);
    if (request != FPictureRequest) return;
    FPreviewPending = false;
    emit PreviewPictureDone();
}

void TfrmOptions::PreviewPictureFailed(const std::string& message) {
    FPreviewPending = false;
    ReportError(message);
    emit PreviewPictureDone();
}

int ShowConfig() {
    TfrmOptions form;
    return form.exec();
}

}  // namespace corvane
