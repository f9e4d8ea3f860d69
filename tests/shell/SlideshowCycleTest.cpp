#include "shell/SlideshowCycle.h"

#include <QElapsedTimer>
#include <QTimer>

#include <fstream>
#include <map>
#include <sstream>

#include "effects/EffectCatalog.h"
#include "effects/Random.h"
#include "player/TransitionPlayer.h"
#include "settings/NyBase.h"
#include "settings/Ticks.h"
#include "shell/ShellFixtures.h"
#include "shell/SlideshowLists.h"
#include "tests/imaging/formats/PhotoFixtures.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

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

    // Runs PlayerComplete once, lets the picture change finish (the picture loads in the
    // background, the transition runs at once), and gives the index of the picture it showed
    // (from its width).
    void Change() {
        PlayerComplete(FPlayer);
        ASSERT_TRUE(WaitUntil([&] { return !PictureChangePending(FPlayer); }));
    }
    int NextPicture() {
        Change();
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
        Change();
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
    auto catalogueEntry = [](int style) { return style >= 1 && style <= TEffectCatalog::Count; };
    std::vector<TCase> cases = {
        {"0", 3, [](int s) { return s == 0; }, "0 selects custom drawing"},
        {"200", 3, [](int s) { return s == 3; }, "200 leaves the previous effect"},
        {"261", 3, [](int s) { return s == 5; }, "the low 8 bits count"},
        {"abc", 3, catalogueEntry, "text is replaced by a random effect"},
        {"", 3, catalogueEntry, "an empty entry is replaced by a random effect"},
        {"0x0A", 3, [](int s) { return s == 10; }, "hexadecimal text is an integer"},
    };
    for (const TCase& c : cases) {
        EffsChecked = {c.Entry};
        FPlayer.SetStyle(c.PreviousStyle);
        Change();
        EXPECT_TRUE(c.Expected(FPlayer.Style())) << c.What << ": style " << int(FPlayer.Style());
    }
    // An empty playlist: a random effect each time.
    EffsChecked.clear();
    Change();
    EXPECT_TRUE(catalogueEntry(FPlayer.Style()));
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

// The playlists' draws of one picture change while nothing fails, as the cycle makes them: the
// effect position, the fallback effect, the picture position, the fallback picture.
struct TDraws {
    int Effect;
    int Picture;
};
TDraws ExpectedDraws() {
    const int32_t effIndex = Random(int32_t(EffsChecked.size()));
    Random(TEffectCatalog::Count);  // the fallback effect
    const int32_t picIndex = Random(int32_t(PicsChecked.size()));
    Random(int32_t(PicList.size()));  // the fallback picture
    return {std::stoi(EffsChecked[size_t(effIndex)]), std::stoi(PicsChecked[size_t(picIndex)])};
}

TEST_F(SlideshowCycle, WhileNothingFailsEachChangeDrawsAsBefore) {
    WritePictures(5);
    StartUp();
    PicDelay = 0;
    std::vector<TDraws> expected;
    {
        FixedRandomState seed(20240611);
        for (int i = 0; i < 40; ++i) expected.push_back(ExpectedDraws());
    }
    FixedRandomState seed(20240611);
    for (int i = 0; i < 40; ++i) {
        const int picture = NextPicture();
        EXPECT_EQ(picture, expected[size_t(i)].Picture) << "change " << i;
        EXPECT_EQ(FPlayer.Style(), expected[size_t(i)].Effect) << "change " << i;
    }
}

// Files a real folder holds beside its pictures, each of which fails to load.
std::vector<std::string> WriteFailingFiles(const std::filesystem::path& pics) {
    const std::vector<std::string> names = {"a.xmp", "b.txt", "c-empty.jpg", "d-damaged.jpg",
                                            "e.xmp", "f.xmp", "g-notes.txt"};
    for (const std::string& name : names) {
        std::ofstream out(pics / name, std::ios::binary);
        if (name.find("damaged") != std::string::npos)
            out << std::string("\xFF\xD8\xFF\xE0", 4) << "this was a JPEG once";
        else if (name.find("empty") == std::string::npos)
            out << "<x:xmpmeta>a sidecar or a note</x:xmpmeta>";
    }
    return names;
}

// Each "Skipped" line of the error output, by file name.
std::map<std::string, int> SkippedCounts(const std::string& errors, std::string* example) {
    std::map<std::string, int> counts;
    std::istringstream lines(errors);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("Skipped ", 0) != 0) continue;
        const size_t colon = line.find(": ");
        const std::string path = line.substr(8, colon - 8);
        ++counts[std::filesystem::path(path).filename().string()];
        if (path.find("a.xmp") != std::string::npos && example) *example = line.substr(colon + 2);
    }
    return counts;
}

TEST_F(SlideshowCycle, OneGoodPictureAmongFailingFilesKeepsTheShowGoing) {
    const std::vector<std::string> failing = WriteFailingFiles(Pics());
    WritePicture(Pics() / "p-good.bmp", 4);
    StartUp();
    PicDelay = 0;
    ::testing::internal::CaptureStderr();
    for (uint32_t i = 0; i < 30; ++i) {
        SetRandomState(i * 7919u + 1u);
        Change();
        EXPECT_EQ(FPlayer.Picture().Width(), PictureWidth(4)) << "change " << i;
    }
    std::string example;
    const std::map<std::string, int> skipped =
        SkippedCounts(::testing::internal::GetCapturedStderr(), &example);
    // Every failing file was met (the draws reach them all over thirty changes), each once.
    for (const std::string& name : failing)
        EXPECT_EQ(skipped.count(name) ? skipped.at(name) : 0, 1) << name;
    EXPECT_EQ(skipped.size(), failing.size());
    EXPECT_EQ(example, "Unknown picture file extension (.xmp)");
    EXPECT_TRUE(TakeReportedErrors().empty());
}

TEST_F(SlideshowCycle, AFolderWhereEveryFileFailsIsReportedOnce) {
    const std::vector<std::string> failing = WriteFailingFiles(Pics());
    StartUp();
    ::testing::internal::CaptureStderr();
    PlayerComplete(FPlayer);
    std::vector<std::string> errors;
    ASSERT_TRUE(WaitUntil([&] {
        for (auto& e : TakeReportedErrors()) errors.push_back(e);
        return !errors.empty() && !PictureChangePending(FPlayer);
    }));
    WaitUntil([] { return false; }, 100);  // nothing more comes
    for (auto& e : TakeReportedErrors()) errors.push_back(e);
    const std::map<std::string, int> skipped =
        SkippedCounts(::testing::internal::GetCapturedStderr(), nullptr);
    EXPECT_EQ(errors, std::vector<std::string>{"None of the files in " + Pics().string() +
                                               " can be shown as a picture"});
    EXPECT_EQ(skipped.size(), failing.size());
    EXPECT_FALSE(FPlayer.Busy());
    EXPECT_TRUE(FPlayer.ScreenBitmap().Empty());
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
    // The first change shows its picture although the pause would last an hour.
    PicDelay = 3600 * 1000;
    Change();
    EXPECT_GT(FPlayer.Picture().Width(), 0);
    EXPECT_FALSE(FirstCall);
    // A later one starts its transition only once the pause is over.
    PicDelay = 300;
    uint32_t changedAfter = 0;
    StartTick();
    FPlayer.OnChange = [&](TCustomTransitionPlayer&) { changedAfter = TicksElapsed(); };
    Change();
    EXPECT_GE(changedAfter, uint32_t(PicDelay));
}

TEST_F(SlideshowCycle, TheMainThreadServesEventsWhileALargePictureDecodes) {
    // A picture that takes a while to decode, and an event posted before the change begins:
    // it is served while the picture is still being read and decoded, not after.
    WritePictureFile(MakePattern(2, 3000, 2000), (Pics() / "big.jpg").string());
    StartUp();
    bool servedBeforeThePicture = false;
    QTimer::singleShot(0, [&] { servedBeforeThePicture = FPlayer.Picture().Graphic() == nullptr; });
    PlayerComplete(FPlayer);
    EXPECT_TRUE(PictureChangePending(FPlayer));
    ASSERT_TRUE(WaitUntil([&] { return !PictureChangePending(FPlayer); }));
    EXPECT_TRUE(servedBeforeThePicture);
    EXPECT_EQ(FPlayer.Picture().Width(), 3000);

    // A close request during the load: the change ends without starting a transition.
    FPlayer.Picture().SetGraphic(nullptr);
    QTimer::singleShot(0, [] { Closing = true; });
    PlayerComplete(FPlayer);
    ASSERT_TRUE(WaitUntil([&] { return !PictureChangePending(FPlayer); }));
    EXPECT_EQ(FPlayer.Picture().Graphic(), nullptr);
    EXPECT_FALSE(FPlayer.Busy());
}

}  // namespace
}  // namespace corvane::test
