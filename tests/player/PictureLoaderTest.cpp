// Loading pictures off the user interface's thread: the finished picture or the loader's
// message comes back on the loader's thread, and a newer load supersedes an older one.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QCoreApplication>
#include <QThread>

#include <filesystem>

#include "player/PictureLoader.h"
#include "imaging/JPEGImage.h"
#include "imaging/PictureFormats.h"
#include "tests/support/QtTestSupport.h"
#include "tools/common/PictureWriters.h"
#include "tools/samples/Patterns.h"

namespace corvane {
namespace {

class PictureLoader : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterPictureFormats();
        char pattern[] = "/tmp/corvane-loader-XXXXXX";
        ASSERT_TRUE(mkdtemp(pattern));
        FFolder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(FFolder); }

    std::string Picture(const std::string& name, int32_t width, int32_t height) {
        const std::string file = (FFolder / name).string();
        WritePictureFile(MakePattern(1, width, height), file);
        return file;
    }

    std::filesystem::path FFolder;
};

TEST_F(PictureLoader, DeliversTheDecodedPictureOnItsOwnThread) {
    const std::string file = Picture("a.jpg", 64, 48);
    TPictureLoader loader;
    std::optional<TPictureLoader::TResult> result;
    QThread* deliveredOn = nullptr;
    loader.OnLoaded = [&](TPictureLoader::TResult& loaded) {
        deliveredOn = QThread::currentThread();
        result = std::move(loaded);
    };
    loader.Load(file);
    EXPECT_TRUE(loader.Pending());
    ASSERT_TRUE(test::WaitUntil([&] { return result.has_value(); }));
    EXPECT_FALSE(loader.Pending());
    EXPECT_EQ(deliveredOn, QThread::currentThread());
    ASSERT_TRUE(result->Graphic) << result->Error;
    EXPECT_EQ(result->FileName, file);
    auto* jpeg = dynamic_cast<const TJPEGImage*>(result->Graphic.get());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_TRUE(jpeg->Decoded());  // nothing left to decode on the user interface's thread
    EXPECT_EQ(jpeg->Width(), 64);
}

TEST_F(PictureLoader, AFailureBringsTheLoadersMessage) {
    const std::string unknown = (FFolder / "notes.xyz").string();
    TPictureLoader loader;
    std::optional<TPictureLoader::TResult> result;
    loader.OnLoaded = [&](TPictureLoader::TResult& loaded) { result = std::move(loaded); };
    loader.Load(unknown);
    ASSERT_TRUE(test::WaitUntil([&] { return result.has_value(); }));
    EXPECT_FALSE(result->Graphic);
    EXPECT_EQ(result->Error, "Unknown picture file extension (.xyz)");
}

TEST_F(PictureLoader, ANewerLoadSupersedesTheOlderOnesAndCancelDropsIt) {
    const std::string large = Picture("large.bmp", 300, 200);
    const std::string small = Picture("small.bmp", 30, 20);
    TPictureLoader loader;
    std::vector<std::string> delivered;
    loader.OnLoaded = [&](TPictureLoader::TResult& loaded) { delivered.push_back(loaded.FileName); };
    for (const std::string& file : {large, large, small}) loader.Load(file);
    // Once the newest is in, every older one has been dropped on its arrival.
    ASSERT_TRUE(test::WaitUntil([&] { return !loader.Pending(); }));
    EXPECT_EQ(delivered, std::vector<std::string>{small});

    loader.Load(large);
    loader.Cancel();
    EXPECT_FALSE(loader.Pending());
    loader.Load(small);
    ASSERT_TRUE(test::WaitUntil([&] { return !loader.Pending(); }));
    EXPECT_EQ(delivered, (std::vector<std::string>{small, small}));
}

TEST_F(PictureLoader, EndsWhileAFileIsInHand) {
    const std::string large = Picture("large.bmp", 800, 600);
    auto loader = std::make_unique<TPictureLoader>();
    bool delivered = false;
    loader->OnLoaded = [&](TPictureLoader::TResult&) { delivered = true; };
    loader->Load(large);
    loader.reset();  // waits for the file in hand, delivers nothing
    QCoreApplication::processEvents();
    EXPECT_FALSE(delivered);
}

}  // namespace
}  // namespace corvane
