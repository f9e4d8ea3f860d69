#pragma once
// The settings dialog: which effects and pictures take part in the show, in order or at random,
// the speed, the placement, the border and the colours, with a live preview of any effect on any
// picture. It edits the settings object Config and the playlists EffsChecked and PicsChecked, and
// changes them only on OK; the settings file is written when the program ends.
//
// The controls are those of the form's design (FormOptions.ui), each reachable by its name. The
// handlers keep the names and the order of work of the design.
//
// The picture clicked in the list is read, decoded and fitted to the preview on background
// threads; the rest of the click runs when it is ready, and a newer click supersedes an older one.

#include <QDialog>
#include <QFutureWatcher>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

#include "platform/raster/Bitmap32.h"

namespace Ui {
class TfrmOptions;
}

namespace corvane {

class TGraphic;
class TPictureLoader;
class TTransitionPlayer;

inline constexpr const char* ApplicationTitle = "Corvane Slideshow";
inline constexpr const char* ApplicationVersion = "1.10.7.729";
inline constexpr const char* HomePageAddress = "https://www.lantrel.example/";
inline constexpr const char* ContactPageAddress = "https://www.lantrel.example/contact";

class TfrmOptions : public QDialog {
    Q_OBJECT

  public:
    // Creates the dialog from its design and runs FormCreate.
    explicit TfrmOptions(QWidget* parent = nullptr);
    ~TfrmOptions() override;

    // A picture chosen in the list is still on its way to the preview.
    bool PreviewPending() const { return FPreviewPending; }
    // The error that stopped the start-up, reported once the dialog runs; empty if none.
    const QString& StartError() const { return FStartError; }

    // The handlers of the design.
    void FormCreate();
    void btnOkClick();
    void Button15Click();
    void clEffectClick();
    void tbCheckAllClick();
    void tbUncheckAllClick();
    void tbCheckClick();
    void ToolButton3Click();
    void ToolButton2Click();
    void ToolButton4Click();
    void ToolButton6Click();
    void ToolButton7Click();
    void clPicClick();
    void clPicChange();
    void clEffectChange();
    void UpdateCtrlsEvent();
    void Button14Click();

    // The refresh: the control values into the preview, the dependent controls, the captions.
    void UpdateCtrls();
    // Plays the effect of the effect list's cursor item on the preview's picture.
    void PlayPreview();
    // Starts loading the picture of the picture list's cursor item for the preview.
    void LoadPreviewPicture();

  signals:
    // A picture chosen in the list is shown on the preview, or has failed for good.
    void PreviewPictureDone();

  private:
    // A picture fitted to the preview on a pool thread, or why it could not be.
    struct TFitted {
        Bitmap32 Bitmap;
        std::string Error;
    };

    std::unique_ptr<Ui::TfrmOptions> FUi;
    std::unique_ptr<TPictureLoader> FLoader;
    QFutureWatcher<TFitted> FFitting;
    uint64_t FPictureRequest = 0;
    // The click and whether it is the first picture standing in, of the load in the loader.
    uint64_t FLoadRequest = 0;
    bool FLoadFallback = false;
    bool FPreviewPending = false;
    QString FStartError;

    TTransitionPlayer& Player() const;
    void ConnectHandlers();
    void ApplyFonts();
    void ApplyArt();
    void FillLists();
    void TickPlaylists();
    void StorePlaylists();

    void LoadFile(const std::string& fileName, uint64_t request, bool fallback);
    void PictureLoaded(uint64_t request, std::unique_ptr<TGraphic> graphic,
                       const std::string& fileName, std::string error, bool fallback);
    void LoadFirstPicture(uint64_t request);
    void PictureFitted(uint64_t request);
    void ShowPreviewPicture();
    void PreviewPictureFailed(const std::string& message);
};

// Opens the settings dialog without owner, modally, and frees it when it closes. Returns the
// dialog's result (QDialog::Accepted for OK).
int ShowConfig();

}  // namespace corvane
