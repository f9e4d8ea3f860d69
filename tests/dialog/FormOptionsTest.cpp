// The settings dialog with a real installation folder: its start-up from the settings file and
// the playlists, the refresh of its dependent controls and captions, OK, Cancel and Default
// Settings through the settings file on disk, and the preview as the lists are clicked.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QDesktopServices>
#include <QFocusEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>

#include "dialog/CheckBox.h"
#include "dialog/CheckListBox.h"
#include "dialog/ColorComboBox.h"
#include "dialog/FormOptions.h"
#include "dialog/PageControl.h"
#include "dialog/RadioGroup.h"
#include "dialog/ResampleBitmap.h"
#include "dialog/SpinEdit.h"
#include "imaging/Bitmap.h"
#include "imaging/PictureFile.h"
#include "player/TransitionPlayer.h"
#include "settings/NyBase.h"
#include "shell/SlideshowLists.h"
#include "tests/support/QtTestSupport.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

namespace corvane {

// Receives the files and addresses the desktop is asked to open.
class TDesktopCalls : public QObject {
    Q_OBJECT

  public:
    TDesktopCalls() { QDesktopServices::setUrlHandler("file", this, "Open"); }
    ~TDesktopCalls() override { QDesktopServices::unsetUrlHandler("file"); }
    std::vector<QUrl> Urls;

  public slots:
    void Open(const QUrl& url) { Urls.push_back(url); }
};

namespace {

// "p<i>.bmp", built by appending (GCC 12 at -O3 warns about a literal put before a temporary).
std::string PictureName(int i) {
    std::string name = "p";
    name += std::to_string(i);
    name += ".bmp";
    return name;
}

std::mutex ReportedMutex;
std::vector<std::string> Reported;

// The settings file as the program writes it: the eleven values of the installation.
constexpr const char* InstalledSettings =
    "[frmOptions]\n"
    "seStep.Value=4\n"
    "seDelay.Value=40\n"
    "sePicDelay.Value=1000\n"
    "seBorderWidth.Value=0\n"
    "ccbBorderColor.SelectedColor=16711680\n"
    "ccbBgColor.SelectedColor=0\n"
    "chkCenter.Checked=1\n"
    "chkStretch.Checked=1\n"
    "chkProportional.Checked=1\n"
    "rgAutoEffect.ItemIndex=1\n"
    "rgAutoPic.ItemIndex=1\n"
    "\n";

class FormOptions : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/corvane-dialog-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        FFolder = pattern;
        std::filesystem::create_directory(Pics());
        AppPath = FFolder.string() + "/";
        TakeReported();
        ErrorReportHook = [](const std::string& message) {
            std::lock_guard lock(ReportedMutex);
            Reported.push_back(message);
        };
    }

    void TearDown() override {
        FForm.reset();
        FinalizeSlideshowLists();
        if (Config) Config->SetAutoSave(false);
        Config.reset();
        AppPath.clear();
        ErrorReportHook = nullptr;
        std::error_code ignored;
        std::filesystem::remove_all(FFolder, ignored);
    }

    std::filesystem::path Pics() const { return FFolder / "Pics"; }
    std::filesystem::path ConfigFile() const { return FFolder / "config.ini"; }

    void WriteConfig(const std::string& text) {
        std::ofstream(ConfigFile(), std::ios::binary | std::ios::trunc) << text;
    }
    std::string ReadConfig() const {
        std::ifstream in(ConfigFile(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    // A picture told apart by its pattern and size.
    std::string WritePicture(const std::string& name, int index) {
        const std::string file = (Pics() / name).string();
        WritePictureFile(MakePattern(index, 60 + 8 * index, 40 + 4 * index), file);
        return file;
    }

    // The settings object and the lists, as the program's start-up makes them.
    void StartUp() {
        Config = std::make_unique<TNyConfig>(ConfigFile());
        InitializeSlideshowLists();
    }

    // Opens the dialog and waits until its first picture is on the preview.
    TfrmOptions& Open() {
        FForm = std::make_unique<TfrmOptions>();
        FForm->show();
        EXPECT_TRUE(test::WaitUntil([&] { return !FForm->PreviewPending(); }));
        EXPECT_TRUE(test::WaitUntil([&] { return !Player().Busy(); }));
        return *FForm;
    }

    template <typename T>
    T& Control(const char* name) {
        T* control = FForm->findChild<T*>(name);
        if (!control) throw std::runtime_error(std::string("no control ") + name);
        return *control;
    }
    TTransitionPlayer& Player() { return Control<TTransitionPlayer>("Player"); }
    TCheckListBox& Effects() { return Control<TCheckListBox>("clEffect"); }
    TCheckListBox& Pictures() { return Control<TCheckListBox>("clPic"); }
    std::string Caption(const char* group) {
        return Control<QGroupBox>(group).title().toStdString();
    }
    bool OkEnabled() { return Control<QPushButton>("btnOk").isEnabled(); }

    static std::vector<std::string> TakeReported() {
        std::lock_guard lock(ReportedMutex);
        return std::exchange(Reported, {});
    }

    // Clicks the item as a user does (the list scrolls it into view first).
    void ClickItem(TCheckListBox& list, int row) {
        list.scrollToItem(list.item(row));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                          list.visualItemRect(list.item(row)).center());
    }

    // Types into a number box and leaves it.
    static void TypeAndLeave(TSpinEdit& edit, const char* text) {
        edit.selectAll();
        QTest::keyClick(&edit, Qt::Key_Delete);
        QTest::keyClicks(&edit, text);
        QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(&edit, &leave);
    }

    // The preview's picture: a bitmap of the preview's size.
    Bitmap32 PreviewPicture() {
        auto* bitmap = dynamic_cast<const TBitmap*>(Player().Picture().Graphic());
        return bitmap ? bitmap->Image() : Bitmap32();
    }
    static Bitmap32 Fitted(const std::string& file) {
        Bitmap32 target;
        ResampleBitmap(152, 112, LoadPictureBitmap(file), target);
        return target;
    }
    static bool SamePixels(const Bitmap32& a, const Bitmap32& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
        for (int32_t y = 0; y < a.Height(); ++y)
            for (int32_t x = 0; x < a.Width(); ++x)
                if ((a.GetPixel(x, y) ^ b.GetPixel(x, y)) & 0xFFFFFF) return false;
        return true;
    }

    // Notes the progress of each frame the preview shows.
    void RecordProgress() {
        Player().OnProgress = [this](TCustomTransitionPlayer& player) {
            std::lock_guard lock(FProgressMutex);
            FProgress.push_back(player.Progress());
        };
    }
    std::vector<int> TakeProgress() {
        std::lock_guard lock(FProgressMutex);
        return std::exchange(FProgress, {});
    }

    std::filesystem::path FFolder;
    std::unique_ptr<TfrmOptions> FForm;
    std::mutex FProgressMutex;
    std::vector<int> FProgress;
};

TEST_F(FormOptions, StartsFromTheSettingsAndThePlaylists) {
    const std::string first = WritePicture("a.bmp", 0);
    WritePicture("B.bmp", 1);
    WritePicture("c.jpg", 2);
    std::filesystem::create_directory(FFolder / "more");
    std::ofstream(FFolder / "more" / "index.html") << "<html><body>More</body></html>";
    WriteConfig(
        "[frmOptions]\nseStep.Value=7\nccbBgColor.SelectedColor=255\nchkStretch.Checked=0\n"
        "rgAutoPic.ItemIndex=0\n\n[EffsChecked]\n0=2\n1=5\n\n");
    StartUp();
    TfrmOptions& form = Open();

    EXPECT_EQ(form.windowTitle(), "Preferences");
    EXPECT_EQ(form.size(), QSize(661, 432));
    EXPECT_EQ(Control<QLabel>("lblVer").text(), "Corvane Slideshow 1.10.7.729");
    const QString notice = Control<QLabel>("lblCopyright").text();
    EXPECT_TRUE(notice.startsWith("Corvane Slideshow is a trademark")) << notice.toStdString();
    auto& pages = Control<TPageControl>("pcOpt");
    EXPECT_EQ(pages.currentWidget()->objectName(), "tsGeneral");
    EXPECT_FALSE(pages.isTabVisible(pages.indexOf(&Control<QWidget>("tsUI"))));
    EXPECT_EQ(Control<QTextBrowser>("wbMain").source(),
              QUrl::fromLocalFile(QString::fromStdString((FFolder / "more/index.html").string())));

    ASSERT_EQ(Effects().Count(), 171);
    EXPECT_EQ(Effects().item(0)->text(), "[#001] Expand from right");
    EXPECT_EQ(Effects().item(170)->text(), "[#171] Random Bars Vertical");
    EXPECT_TRUE(Effects().Checked(1));
    EXPECT_TRUE(Effects().Checked(4));
    EXPECT_EQ(Effects().CheckedCount(), 2);
    ASSERT_EQ(Pictures().Count(), 3);
    EXPECT_EQ(Pictures().item(0)->text(), "[#001]");
    EXPECT_EQ(Pictures().item(2)->text(), "[#003]");
    EXPECT_EQ(Pictures().CheckedCount(), 3);  // no picture playlist: every picture
    EXPECT_EQ(Effects().ItemIndex(), 0);
    EXPECT_EQ(Pictures().ItemIndex(), 0);
    EXPECT_EQ(Caption("gbEffect"), " Effects (2/171) ");
    EXPECT_EQ(Caption("gbPic"), " Pics (3/3) ");
    EXPECT_TRUE(OkEnabled());

    // The stored values, and what the preview makes of them.
    EXPECT_EQ(Control<TSpinEdit>("seStep").IntValue(), 7);
    EXPECT_EQ(Control<TSpinEdit>("seDelay").IntValue(), 40);  // no key: the design's value
    EXPECT_FALSE(Control<TCheckBox>("chkStretch").isChecked());
    EXPECT_EQ(Control<TRadioGroup>("rgAutoPic").ItemIndex(), 0);
    EXPECT_EQ(Control<TRadioGroup>("rgAutoEffect").ItemIndex(), 1);
    EXPECT_EQ(Player().Step(), 7);
    EXPECT_EQ(Player().Color(), 255u);
    EXPECT_FALSE(Player().Stretch());
    EXPECT_TRUE(Player().Center());
    EXPECT_EQ(Player().ThreadPriority(), tpIdle);
    EXPECT_TRUE(Player().ExactTiming());
    EXPECT_EQ(Player().geometry(), QRect(208, 35, 152, 112));
    // The first picture, fitted to the preview, is shown.
    EXPECT_TRUE(SamePixels(PreviewPicture(), Fitted(first)));
    EXPECT_TRUE(SamePixels(Player().ScreenBitmap(), Fitted(first)));
    EXPECT_TRUE(TakeReported().empty());
}

TEST_F(FormOptions, OkIsEnabledWhileAnEffectAndAPictureAreTickedAndTheCaptionsCount) {
    for (int i = 0; i < 4; ++i) WritePicture(PictureName(i), i);
    StartUp();
    Open();
    struct TStep {
        std::function<void()> Act;
        const char* Effects;
        const char* Pictures;
        bool Ok;
    };
    auto click = [this](const char* button) {
        return [this, button] { Control<QToolButton>(button).click(); };
    };
    const TStep steps[] = {
        {[] {}, " Effects (171/171) ", " Pics (4/4) ", true},
        {[this] { Effects().SetChecked(3, false); }, " Effects (170/171) ", " Pics (4/4) ", true},
        {click("tbUncheckAll"), " Effects (0/171) ", " Pics (4/4) ", false},
        {[this] { Effects().SetChecked(170, true); }, " Effects (1/171) ", " Pics (4/4) ", true},
        {click("ToolButton4"), " Effects (1/171) ", " Pics (0/4) ", false},
        {[this] {
             Pictures().clearSelection();
             Pictures().SetSelected(1, true);
             Pictures().SetSelected(3, true);
             Control<QToolButton>("ToolButton6").click();
         },
         " Effects (1/171) ", " Pics (2/4) ", true},
        {[this] {
             Pictures().clearSelection();
             Pictures().SetSelected(1, true);
             Control<QToolButton>("ToolButton7").click();
         },
         " Effects (1/171) ", " Pics (1/4) ", true},
        {click("ToolButton2"), " Effects (1/171) ", " Pics (4/4) ", true},
        {[this] {
             Effects().clearSelection();
             Effects().SetSelected(170, true);
             Control<QToolButton>("ToolButton3").click();
         },
         " Effects (0/171) ", " Pics (4/4) ", false},
        {[this] {
             Effects().SetSelected(0, true);
             Control<QToolButton>("tbCheck").click();
         },
         " Effects (2/171) ", " Pics (4/4) ", true},
        {click("tbCheckAll"), " Effects (171/171) ", " Pics (4/4) ", true},
    };
    int n = 0;
    for (const TStep& step : steps) {
        step.Act();
        EXPECT_EQ(Caption("gbEffect"), step.Effects) << "step " << n;
        EXPECT_EQ(Caption("gbPic"), step.Pictures) << "step " << n;
        EXPECT_EQ(OkEnabled(), step.Ok) << "step " << n;
        ++n;
    }
}

TEST_F(FormOptions, AnEmptyPicturesFolderLeavesOkDisabledAndSaysSo) {
    StartUp();
    Open();
    EXPECT_EQ(Pictures().Count(), 0);
    EXPECT_EQ(Caption("gbPic"), " Pics (0/0) ");
    EXPECT_FALSE(OkEnabled());
    EXPECT_EQ(TakeReported(), std::vector<std::string>{"No pictures found in " + Pics().string()});
    EXPECT_EQ(Player().Picture().Graphic(), nullptr);
}

TEST_F(FormOptions, DefaultSettingsAskFirstAndStoreNothing) {
    for (int i = 0; i < 3; ++i) WritePicture(PictureName(i), i);
    WriteConfig(std::string(InstalledSettings) + "[EffsChecked]\n0=9\n\n[PicsChecked]\n0=1\n\n");
    StartUp();
    Open();
    auto& step = Control<TSpinEdit>("seStep");
    auto& border = Control<TSpinEdit>("seBorderWidth");
    auto& background = Control<TColorComboBox>("ccbBgColor");
    step.SetValue(50);
    border.SetValue(6);
    background.SetSelectedColor(0x00FFFF);
    Control<TCheckBox>("chkCenter").setChecked(false);
    Control<TRadioGroup>("rgAutoEffect").SetItemIndex(0);
    const std::string stored = Config->Text();

    QString question;
    auto answer = [&](QMessageBox::StandardButton button) {
        test::AnswerNextModal([&question, button](QWidget& modal) {
            auto& box = dynamic_cast<QMessageBox&>(modal);
            question = box.text();
            box.button(button)->click();
        });
        Control<QPushButton>("Button15").click();
    };
    answer(QMessageBox::Cancel);
    EXPECT_EQ(question, "Are you sure you want to restore the default settings?");
    EXPECT_EQ(step.IntValue(), 50);
    EXPECT_EQ(Caption("gbEffect"), " Effects (1/171) ");
    EXPECT_TRUE(Control<QComboBox>("ccbBorderColor").isEnabled());

    answer(QMessageBox::Ok);
    EXPECT_EQ(step.IntValue(), 4);
    EXPECT_EQ(Control<TSpinEdit>("seDelay").IntValue(), 40);
    EXPECT_EQ(Control<TSpinEdit>("sePicDelay").IntValue(), 1000);
    EXPECT_EQ(border.IntValue(), 0);
    EXPECT_EQ(background.SelectedColor(), 0u);
    EXPECT_EQ(Control<TColorComboBox>("ccbBorderColor").SelectedColor(), 0xFF0000u);
    EXPECT_TRUE(Control<TCheckBox>("chkCenter").isChecked());
    EXPECT_EQ(Control<TRadioGroup>("rgAutoEffect").ItemIndex(), 1);
    EXPECT_EQ(Caption("gbEffect"), " Effects (171/171) ");
    EXPECT_EQ(Caption("gbPic"), " Pics (3/3) ");
    EXPECT_FALSE(Control<QComboBox>("ccbBorderColor").isEnabled());
    EXPECT_FALSE(Control<QLabel>("lblBorderColor").isEnabled());
    EXPECT_EQ(Player().Step(), 4);
    EXPECT_EQ(Config->Text(), stored);  // nothing stored until OK
}

TEST_F(FormOptions, TheControlValuesReachThePreviewAndTheBorderColourNeedsABorder) {
    WritePicture("a.bmp", 0);
    StartUp();
    Open();
    auto& width = Control<TSpinEdit>("seBorderWidth");
    auto& colour = Control<QComboBox>("ccbBorderColor");
    auto& label = Control<QLabel>("lblBorderColor");
    for (const int w : {0, 1, 0, 100}) {
        width.SetValue(w);
        EXPECT_EQ(colour.isEnabled(), w > 0) << w;
        EXPECT_EQ(label.isEnabled(), w > 0) << w;
        EXPECT_EQ(Player().FrameWidth(), w);
    }
    Control<TColorComboBox>("ccbBorderColor").SetSelectedColor(0x008000);
    EXPECT_EQ(Player().FrameColor(), 0x008000u);
    Control<TColorComboBox>("ccbBgColor").SetSelectedColor(0xFF00000F);
    EXPECT_EQ(Player().Color(), 0xFF00000Fu);
    Control<TCheckBox>("chkProportional").setChecked(false);
    EXPECT_FALSE(Player().Proportional());
    Control<TSpinEdit>("seStep").SetValue(13);
    EXPECT_EQ(Player().Step(), 13);
    // A step interval beyond the player's 16 bits is held at the longest it can wait.
    Control<TSpinEdit>("seDelay").SetValue(70000);
    EXPECT_EQ(Player().Delay(), 65535);
    Control<TSpinEdit>("seDelay").SetValue(250);
    EXPECT_EQ(Player().Delay(), 250);
}

TEST_F(FormOptions, OkStoresTheControlValuesAndBothPlaylistsInTheSettingsFile) {
    for (int i = 0; i < 5; ++i) WritePicture(PictureName(i), i);
    // The picture interval's key is missing: its value is neither loaded nor stored.
    std::string settings = InstalledSettings;
    settings.erase(settings.find("sePicDelay.Value=1000\n"), 22);
    WriteConfig(settings);
    StartUp();
    TfrmOptions& form = Open();
    Control<QToolButton>("tbUncheckAll").click();
    Control<QToolButton>("ToolButton4").click();
    for (const int item : {0, 4, 170}) Effects().SetChecked(item, true);
    for (const int item : {0, 3}) Pictures().SetChecked(item, true);
    Control<TSpinEdit>("seStep").SetValue(9);
    Control<TSpinEdit>("sePicDelay").SetValue(5000);
    Control<TColorComboBox>("ccbBgColor").SetSelectedColor(0xFF000005);
    Control<TCheckBox>("chkStretch").setChecked(false);
    Control<TRadioGroup>("rgAutoPic").SetItemIndex(0);

    Control<QPushButton>("btnOk").click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(EffsChecked, (std::vector<std::string>{"1", "5", "171"}));
    EXPECT_EQ(PicsChecked, (std::vector<std::string>{"0", "3"}));

    ASSERT_TRUE(FinalizeNyBase());
    const std::string file = ReadConfig();
    for (const char* part :
         {"seStep.Value=9\n", "seDelay.Value=40\n", "ccbBgColor.SelectedColor=-16777211\n",
          "chkStretch.Checked=0\n", "rgAutoPic.ItemIndex=0\n", "rgAutoEffect.ItemIndex=1\n",
          "[EffsChecked]\n0=1\n1=5\n2=171\n\n", "[PicsChecked]\n0=0\n1=3\n\n"})
        EXPECT_NE(file.find(part), std::string::npos) << part << " in\n" << file;
    EXPECT_EQ(file.find("sePicDelay"), std::string::npos);
    EXPECT_TRUE(TakeReported().empty());
}

TEST_F(FormOptions, CancelLeavesTheSettingsFileByteForByte) {
    for (int i = 0; i < 3; ++i) WritePicture(PictureName(i), i);
    const std::string original =
        std::string(InstalledSettings) + "[PicsChecked]\n0=2\n\n[EffsChecked]\n0=7\n1=8\n\n";
    WriteConfig(original);
    StartUp();
    TfrmOptions& form = Open();
    Control<QToolButton>("tbCheckAll").click();
    Control<QToolButton>("ToolButton4").click();
    Pictures().SetChecked(0, true);
    Control<TSpinEdit>("seStep").SetValue(77);
    Control<TColorComboBox>("ccbBorderColor").SetSelectedColor(0x0000FF);
    Control<QPushButton>("Button13").click();
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_EQ(PicsChecked, std::vector<std::string>{"2"});
    EXPECT_EQ(EffsChecked, (std::vector<std::string>{"7", "8"}));
    ASSERT_TRUE(FinalizeNyBase());
    EXPECT_EQ(ReadConfig(), original);
}

TEST_F(FormOptions, PlaylistEntriesThatAreNoNumbersOrNameNoItemAreSettledQuietly) {
    for (int i = 0; i < 3; ++i) WritePicture(PictureName(i), i);
    WriteConfig(
        "[EffsChecked]\n0=abc\n1=500\n2=3\n3=0\n4=0x0A\n\n"
        "[PicsChecked]\n0=x\n1=7\n2=2\n3=-1\n\n");
    StartUp();
    Open();
    std::vector<int> effects, pictures;
    for (int i = 0; i < Effects().Count(); ++i)
        if (Effects().Checked(i)) effects.push_back(i);
    for (int i = 0; i < Pictures().Count(); ++i)
        if (Pictures().Checked(i)) pictures.push_back(i);
    EXPECT_EQ(effects, (std::vector<int>{0, 2, 9}));  // "abc" counts as effect 1
    EXPECT_EQ(pictures, (std::vector<int>{0, 2}));    // "x" counts as picture 0
    EXPECT_TRUE(TakeReported().empty());
}

TEST_F(FormOptions, TypedValuesAreBroughtIntoRangeWhenTheBoxIsLeft) {
    WritePicture("a.bmp", 0);
    StartUp();
    Open();
    struct TCase {
        const char* Box;
        const char* Typed;
        int Value;
        const char* Shown;
    };
    for (const TCase c : {TCase{"seStep", "0", 1, "1"}, TCase{"seBorderWidth", "250", 100, "100"},
                          TCase{"seDelay", "", 0, "0"}, TCase{"sePicDelay", "x1", 0, "0"}}) {
        auto& box = Control<TSpinEdit>(c.Box);
        TypeAndLeave(box, c.Typed);
        EXPECT_EQ(box.IntValue(), c.Value) << c.Box;
        EXPECT_EQ(box.text(), c.Shown) << c.Box;
    }
    EXPECT_EQ(Player().Step(), 1);
    EXPECT_EQ(Player().FrameWidth(), 100);
    EXPECT_EQ(Player().Delay(), 0);
}

TEST_F(FormOptions, APictureClickShowsThatPictureAtOnceWithoutAnimation) {
    WritePicture("a.bmp", 0);
    const std::string second = WritePicture("b.jpg", 1);
    StartUp();
    Open();
    RecordProgress();
    const Bitmap32 before = PreviewPicture();
    ClickItem(Pictures(), 1);
    // The click returns before the picture is read: it comes from a background thread.
    EXPECT_TRUE(FForm->PreviewPending());
    EXPECT_TRUE(SamePixels(PreviewPicture(), before));
    ASSERT_TRUE(test::WaitUntil([&] { return !FForm->PreviewPending(); }));
    EXPECT_EQ(TakeProgress(), std::vector<int>{100});  // one frame, the whole picture
    EXPECT_TRUE(SamePixels(PreviewPicture(), Fitted(second)));
    EXPECT_TRUE(SamePixels(Player().ScreenBitmap(), Fitted(second)));
    EXPECT_EQ(Player().Step(), 4);  // the dialog's step again
    EXPECT_FALSE(Player().Busy());
}

TEST_F(FormOptions, AnEffectClickAnimatesAtTheDialogsStep) {
    WritePicture("a.bmp", 0);
    StartUp();
    Open();
    Control<TSpinEdit>("seStep").SetValue(25);
    RecordProgress();
    ClickItem(Effects(), 0);  // the item under the cursor already: still a click
    EXPECT_EQ(Player().Style(), 1);
    ASSERT_TRUE(test::WaitUntil([&] { return !Player().Busy(); }));
    const std::vector<int> progress = TakeProgress();
    ASSERT_GE(progress.size(), 2u);
    EXPECT_EQ(progress.front(), 25);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
    EXPECT_TRUE(TakeReported().empty());

    // Another effect plays from the empty state.
    ClickItem(Effects(), 1);
    EXPECT_EQ(Player().Style(), 2);
    ASSERT_TRUE(test::WaitUntil([&] { return !Player().Busy(); }));
    EXPECT_EQ(TakeProgress().front(), 25);
}

TEST_F(FormOptions, APictureOfAnUnknownKindIsReplacedByTheFirstPicture) {
    const std::string first = WritePicture("a.bmp", 0);
    WritePicture("b.bmp", 1);
    std::filesystem::copy_file(first, Pics() / "c.xyz");
    StartUp();
    Open();
    ClickItem(Pictures(), 1);
    ASSERT_TRUE(test::WaitUntil([&] { return !FForm->PreviewPending(); }));
    ASSERT_FALSE(SamePixels(PreviewPicture(), Fitted(first)));
    ClickItem(Pictures(), 2);
    ASSERT_TRUE(test::WaitUntil([&] { return !FForm->PreviewPending(); }));
    EXPECT_TRUE(SamePixels(PreviewPicture(), Fitted(first)));
    EXPECT_TRUE(TakeReported().empty());  // the first failure is not reported
}

TEST_F(FormOptions, IconsAndMetafilesAreDrawnForThePreview) {
    WritePicture("a.bmp", 0);
    const std::filesystem::path corpus =
        std::filesystem::path(CORVANE_SOURCE_DIR) / "tests/fuzz/corpus";
    std::filesystem::copy_file(corpus / "icon/alpha.ico", Pics() / "b.ico");
    std::filesystem::copy_file(corpus / "metafile/placeable.wmf", Pics() / "c.wmf");
    StartUp();
    Open();
    for (const int item : {1, 2}) {
        ClickItem(Pictures(), item);
        ASSERT_TRUE(test::WaitUntil([&] { return !FForm->PreviewPending(); }));
        // Drawn onto the preview's background colour (black), then fitted.
        const Bitmap32 shown = PreviewPicture();
        EXPECT_TRUE(SamePixels(shown, Fitted(PicList[size_t(item)]))) << item;
        std::set<Pixel> colours;
        for (int32_t y = 0; y < shown.Height(); ++y)
            for (int32_t x = 0; x < shown.Width(); ++x) colours.insert(shown.GetPixel(x, y));
        EXPECT_GT(colours.size(), 2u) << item;
    }
    EXPECT_TRUE(TakeReported().empty());
}

TEST_F(FormOptions, WhenTheFirstPictureFailsTooTheLoadersMessageIsReported) {
    std::ofstream(Pics() / "a.xyz") << "not a picture";
    std::ofstream(Pics() / "b.bmp") << "not a bitmap either";
    StartUp();
    Open();
    EXPECT_EQ(TakeReported(), std::vector<std::string>{"Unknown picture file extension (.xyz)"});
    EXPECT_EQ(Player().Picture().Graphic(), nullptr);
    EXPECT_EQ(Caption("gbPic"), " Pics (2/2) ");
}

TEST_F(FormOptions, ANewerPictureClickSupersedesAnOlderOne) {
    WritePicture("a.bmp", 0);
    WritePicture("b.bmp", 1);
    const std::string third = WritePicture("c.bmp", 2);
    StartUp();
    Open();
    RecordProgress();
    ClickItem(Pictures(), 1);
    ClickItem(Pictures(), 2);
    ASSERT_TRUE(test::WaitUntil([&] { return !FForm->PreviewPending(); }));
    EXPECT_EQ(TakeProgress(), std::vector<int>{100});  // only the newer one was shown
    EXPECT_TRUE(SamePixels(PreviewPicture(), Fitted(third)));
}

TEST_F(FormOptions, ABadStoredPropertyStopsTheStartUpWithItsMessage) {
    WritePicture("a.bmp", 0);
    WriteConfig(
        "[frmOptions]\nseStep.Value=9\nseDelay.Speed=3\nseBorderWidth.Value=5\n\n"
        "[EffsChecked]\n0=1\n\n");
    StartUp();
    TfrmOptions& form = Open();
    EXPECT_EQ(form.StartError(), "Property Speed does not exist");
    ASSERT_TRUE(test::WaitUntil([&] { return !TakeReported().empty(); }));
    EXPECT_EQ(Control<TSpinEdit>("seStep").IntValue(), 9);
    EXPECT_EQ(Control<TSpinEdit>("seBorderWidth").IntValue(), 0);  // after the bad key
    EXPECT_EQ(Effects().CheckedCount(), 0);                        // the ticks come later
}

TEST_F(FormOptions, HelpOpensTheReadMe) {
    WritePicture("a.bmp", 0);
    StartUp();
    Open();
    TDesktopCalls desktop;
    Control<QPushButton>("Button14").click();
    ASSERT_EQ(desktop.Urls.size(), 1u);
    EXPECT_EQ(desktop.Urls[0],
              QUrl::fromLocalFile(QString::fromStdString((FFolder / "readme.txt").string())));
}

}  // namespace
}  // namespace corvane

#include "FormOptionsTest.moc"
