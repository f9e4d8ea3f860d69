#include "shell/SlideshowCycle.h"

#include <QElapsedTimer>
#include <QTimer>

#include <sys/resource.h>

#include <fstream>

#include "effects/EffectCatalog.h"
#include "effects/Random.h"
#include "player/TransitionPlayer.h"
#include "settings/NyBase.h"
#include "shell/ShellFixtures.h"
#include "shell/SlideshowLists.h"
#include "tests/imaging/formats/PhotoFixtures.h"

namespace corvane::test {
namespace {

using Strings = std::vector<std::string>;

Strings Numbers(int from, int to) {
    Strings list;
    for (int i = from; i <= to; ++i) list.push_back(std::to_string(i));
    return list;
}

class SlideshowCycle : public TShellTest {
  protected:
    // A player that runs each transition to its end at once, on this thread.
    void SetUp() override {
        TShellTest::SetUp();
        FPlayer.SetThreaded(false);
        FPlayer.SetStep(100);
        FPlayer.resize(64, 48);
    }

    // Pictures 0 .. count-1 named p0.bmp, p1.bmp ... (sorted in that order).
    void WritePictures(int count) {
        for (int i = 0; i < count; ++i) {
            // Appended, not "p" + ...: prepending to a temporary string makes GCC 12 at -O3
            // warn of an overlapping copy (-Wrestrict).
            std::string name = "p";
            name += std::to_string(i);
            name += ".bmp";
            WritePicture(Pics() / name, i);
        }
    }

    // Runs PlayerComplete once and gives the index of the picture it loaded (from its width).
    int NextPicture() {
        PlayerComplete(FPlayer);
        return FPlayer.Picture().Width() - PictureWidth(0);
    }

    TTransitionPlayer FPlayer;
};

TEST_F(SlideshowCycle, ListsTheFolderSortedAndDefaultsThePlaylists) {
    for (const char* name : {"b.jpg", "A.jpg", "c.bmp"}) std::ofstream(Pics() / name) << "x";
    std::filesystem::create_directory(Pics() / "sub");
    StartUp();
    const std::string pics = Pics().string();
    EXPECT_EQ(PicList, (Strings{pics + "/A.jpg", pics + "/b.jpg", pics + "/c.bmp"}));
    EXPECT_EQ(PicsChecked, (Strings{"0", "1", "2"}));
    EXPECT_EQ(EffsChecked, Numbers(1, 171));
}

TEST_F(SlideshowCycle, ListsHiddenFilesAndReadsStoredPlaylists) {
    std::ofstream(Pics() / ".hidden.bmp") << "x";
    std::ofstream(Pics() / "shown.bmp") << "x";
    WriteConfig("[PicsChecked]\n0=1\n[EffsChecked]\n0=5\n1=9\n");
    StartUp();
    EXPECT_EQ(PicList.size(), 2u);
    EXPECT_NE(std::find(PicList.begin(), PicList.end(), Pics().string() + "/.hidden.bmp"),
              PicList.end());
    EXPECT_EQ(PicsChecked, (Strings{"1"}));
    EXPECT_EQ(EffsChecked, (Strings{"5", "9"}));
}

TEST_F(SlideshowCycle, SubfoldersTakeInTheWholeTreeWhenTheSettingOrTheFlagAsks) {
    namespace fs = std::filesystem;
    fs::create_directories(Pics() / "2024" / "Trip");
    fs::create_directories(Pics() / ".cache");
    for (const char* name : {"b.jpg", "2024/a.png", "2024/Trip/c.heic", ".cache/t.png"})
        std::ofstream(Pics() / name) << "x";
    fs::create_directory_symlink(Pics(), Pics() / "2024" / "Trip" / "loop");
    const std::string pics = Pics().string();
    const Strings tree = {pics + "/2024/a.png", pics + "/2024/Trip/c.heic", pics + "/b.jpg"};

    StartUp();  // no setting: the folder's own files only
    EXPECT_EQ(PicList, (Strings{pics + "/b.jpg"}));
    InitializeSlideshowLists(true);  // --subfolders
    EXPECT_EQ(PicList, tree);
    EXPECT_EQ(PicsChecked, (Strings{"0", "1", "2"}));

    for (const auto& [setting, expected] :
         {std::pair{"1", tree}, {"0", Strings{pics + "/b.jpg"}}}) {
        WriteConfig(std::string("[Linux]\nSubfolders=") + setting + "\n");
        StartUp();
        EXPECT_EQ(PicList, expected) << setting;
    }
}

TEST_F(SlideshowCycle, APhotoFolderOfPngWebPAndHeicPlaysUpright) {
    using namespace corvane::testing;
    const Bitmap32 blocks = BlockPicture(3, 2, 16);
    PngOptions turned;
    turned.Orientation = 6;  // shown upright: 32 x 48
    WebPOptions lossy;
    lossy.Lossless = false;
    const std::vector<std::pair<std::string, ByteVec>> files = {
        {"IMG_0001.HEIC", EncodeHeif(blocks, false)},
        {"download.webp", EncodeWebP(blocks, {}, lossy)},
        {"screenshot.png", EncodePngOf(blocks, {}, turned)},
    };
    for (const auto& [name, bytes] : files)
        std::ofstream(Pics() / name, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    StartUp();
    AutoPic = 0;
    PicDelay = 0;
    std::vector<std::string> shown;
    for (int i = 0; i < 3; ++i) {
        PlayerComplete(FPlayer);
        const TPicture& picture = FPlayer.Picture();
        shown.push_back(std::string(picture.Graphic()->ClassName()) + " " +
                        std::to_string(picture.Width()) + "x" + std::to_string(picture.Height()));
    }
    // download.webp, IMG_0001.HEIC, screenshot.png in order, from the second on.
    EXPECT_EQ(shown, (Strings{"THEIFGraphic 48x32", "TPNGGraphic 32x48", "TWebPGraphic 48x32"}));
}

TEST_F(SlideshowCycle, SequentialOrderStartsAtTheSecondEntry) {
    WritePictures(3);
    WriteConfig("[PicsChecked]\n0=0\n1=1\n2=2\n[EffsChecked]\n0=5\n1=9\n");
    StartUp();
    AutoEffect = 0;
    AutoPic = 0;
    PicDelay = 0;
    std::vector<int> pictures, effects;
    for (int i = 0; i < 6; ++i) {
        pictures.push_back(NextPicture());
        effects.push_back(FPlayer.Style());
    }
    EXPECT_EQ(pictures, (std::vector<int>{1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(effects, (std::vector<int>{9, 5, 9, 5, 9, 5}));
}

TEST_F(SlideshowCycle, AnyAutoValueOtherThanOneMeansInOrder) {
    WritePictures(2);
    StartUp();
    AutoPic = 7;
    PicDelay = 0;
    EXPECT_EQ(NextPicture(), 1);
    EXPECT_EQ(NextPicture(), 0);
    EXPECT_EQ(NextPicture(), 1);
}

TEST_F(SlideshowCycle, RandomOrderStaysWithinThePlaylists) {
    WritePictures(4);
    WriteConfig("[PicsChecked]\n0=1\n1=3\n[EffsChecked]\n0=2\n1=7\n");
    StartUp();
    PicDelay = 0;
    std::set<int> pictures, effects;
    for (int i = 0; i < 40; ++i) {
        pictures.insert(NextPicture());
        effects.insert(FPlayer.Style());
    }
    EXPECT_EQ(pictures, (std::set<int>{1, 3}));
    EXPECT_EQ(effects, (std::set<int>{2, 7}));
}

TEST_F(SlideshowCycle, EffectEntriesThatCannotBeUsed) {
    WritePictures(1);
    StartUp();
    AutoEffect = 0;
    PicDelay = 0;
    struct TCase {
        std::string Entry;
        int PreviousStyle;
        std::function<bool(int)> Expected;
        const char* What;
    };
    int unavailable = 0;
    for (int n = 1; n <= TEffectCatalog::Count && !unavailable; ++n)
        if (!EffectAvailable(n)) unavailable = n;
    auto availableEntry = [](int style) { return EffectAvailable(style); };
    std::vector<TCase> cases = {
        {"0", 3, [](int s) { return s == 0; }, "0 selects custom drawing"},
        {"200", 3, [](int s) { return s == 3; }, "200 leaves the previous effect"},
        {"261", 3, [](int s) { return s == 5; }, "the low 8 bits count"},
        {"abc", 3, availableEntry, "text is replaced by a random effect"},
        {"", 3, availableEntry, "an empty entry is replaced by a random effect"},
        {"0x0A", 3, [](int s) { return s == 10; }, "hexadecimal text is an integer"},
    };
    if (unavailable)
        cases.push_back({std::to_string(unavailable), 3, availableEntry,
                         "an entry without a routine is replaced by one that has one"});
    for (const TCase& c : cases) {
        EffsChecked = {c.Entry};
        FPlayer.SetStyle(c.PreviousStyle);
        PlayerComplete(FPlayer);
        EXPECT_TRUE(c.Expected(FPlayer.Style())) << c.What << ": style " << int(FPlayer.Style());
    }
    // An empty playlist: a random effect each time.
    EffsChecked.clear();
    PlayerComplete(FPlayer);
    EXPECT_TRUE(EffectAvailable(FPlayer.Style()));
}

TEST_F(SlideshowCycle, PictureEntriesThatCannotBeUsedAreReplacedByARandomFile) {
    WritePictures(3);
    StartUp();
    AutoPic = 0;
    PicDelay = 0;
    for (const Strings& playlist : {Strings{"7"}, Strings{"-1"}, Strings{"two"}, Strings{}}) {
        PicsChecked = playlist;
        const int picture = NextPicture();
        EXPECT_GE(picture, 0);
        EXPECT_LT(picture, 3);
    }
}

TEST_F(SlideshowCycle, ADamagedPictureIsReplacedOnceByARandomFile) {
    // Index 0 is damaged, index 1 is fine; the replacement is drawn from the whole folder, so
    // it is sometimes the damaged file again, whose error then passes on.
    std::ofstream(Pics() / "a-damaged.jpg") << "not a JPEG file at all";
    WritePicture(Pics() / "b-fine.bmp", 5);
    StartUp();
    PicsChecked = {"0"};
    PicDelay = 0;
    int replaced = 0, failed = 0;
    for (uint32_t seed = 1; seed <= 24; ++seed) {
        SetRandomState(seed);
        FPlayer.Picture().SetGraphic(nullptr);
        try {
            PlayerComplete(FPlayer);
            EXPECT_EQ(FPlayer.Picture().Width(), PictureWidth(5));
            ++replaced;
        } catch (const std::exception& e) {
            EXPECT_EQ(FPlayer.Picture().Width(), 0) << e.what();
            ++failed;
        }
    }
    EXPECT_GT(replaced, 0);
    EXPECT_GT(failed, 0);
}

TEST_F(SlideshowCycle, AnEmptyFolderIsReportedAndNothingStarts) {
    StartUp();
    try {
        PlayerComplete(FPlayer);
        FAIL() << "no error";
    } catch (const ENoPictures& e) {
        EXPECT_EQ(std::string(e.what()), "No pictures found in " + Pics().string());
    }
    EXPECT_FALSE(FPlayer.Busy());
    EXPECT_TRUE(FPlayer.ScreenBitmap().Empty());
}

TEST_F(SlideshowCycle, OnlyTheFirstCallSkipsThePause) {
    WritePictures(2);
    StartUp();
    PicDelay = 300;
    QElapsedTimer timer;
    timer.start();
    PlayerComplete(FPlayer);
    EXPECT_LT(timer.elapsed(), PicDelay);
    EXPECT_FALSE(FirstCall);
    timer.restart();
    PlayerComplete(FPlayer);
    EXPECT_GE(timer.elapsed(), PicDelay);
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

TEST_F(SlideshowCycle, ThePauseServesEventsSleepsAndEndsWhenTheWindowCloses) {
    WritePictures(2);
    StartUp();
    FirstCall = false;
    PicDelay = 60000;
    int served = 0;
    const double cpuBefore = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    QTimer::singleShot(100, [&] { ++served; });
    QTimer::singleShot(700, [&] { Closing = true; });
    PlayerComplete(FPlayer);
    const double wall = double(timer.elapsed()) / 1000.0;
    EXPECT_EQ(served, 1);
    EXPECT_LT(wall, 30.0);  // far below PicDelay: the close ended the pause
    // The thread sleeps between events instead of polling the clock.
    EXPECT_LT(CpuSeconds() - cpuBefore, wall * 0.5);
    // The transition chosen after the pause still starts.
    EXPECT_GT(FPlayer.Picture().Width(), 0);
}

}  // namespace
}  // namespace corvane::test
