// The show on a real X server (run under xvfb-run): full screen with a screenshot and a key press,
// and hosted in a window made by the test as XScreenSaver and xsecurelock host it, with a resize,
// the host window going away, and termination.

#include <gtest/gtest.h>
#include <signal.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "ProgramFixtures.h"

namespace corvane::test {
namespace {

// A screenshot: pixels 0x00RRGGBB, rows from the top.
struct TShot {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
    int DistinctColours(int x0, int y0, int x1, int y1) const {
        std::set<uint32_t> colours;
        for (int y = y0; y < y1; y += 3)
            for (int x = x0; x < x1; x += 3) colours.insert(At(x, y));
        return int(colours.size());
    }
    // Many colours, as a picture has and a plain background or an empty window has not.
    bool ShowsAPicture() const { return DistinctColours(0, 0, Width, Height) > 100; }
    // Every quarter has picture in it, as once a transition has ended.
    bool FilledWithAPicture() const {
        const int w = Width / 2, h = Height / 2;
        return ShowsAPicture() && DistinctColours(0, 0, w, h) > 20 &&
               DistinctColours(w, 0, Width, h) > 20 && DistinctColours(0, h, w, Height) > 20 &&
               DistinctColours(w, h, Width, Height) > 20;
    }
};

// The test's own connection to the X server.
class TX11 {
  public:
    TX11() {
        FConnection = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(FConnection)) throw std::runtime_error("no X server");
        FScreen = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data;
    }
    ~TX11() { xcb_disconnect(FConnection); }

    uint32_t Root() const { return FScreen->root; }

    // A plain white window, mapped, as a host makes one.
    uint32_t CreateWindow(int width, int height) {
        const uint32_t id = xcb_generate_id(FConnection);
        const uint32_t values[] = {FScreen->white_pixel};
        xcb_create_window(FConnection, XCB_COPY_FROM_PARENT, id, FScreen->root, 0, 0,
                          uint16_t(width), uint16_t(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                          FScreen->root_visual, XCB_CW_BACK_PIXEL, values);
        xcb_map_window(FConnection, id);
        xcb_flush(FConnection);
        return id;
    }
    void Resize(uint32_t window, int width, int height) {
        const uint32_t values[] = {uint32_t(width), uint32_t(height)};
        xcb_configure_window(FConnection, window,
                             XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, values);
        xcb_flush(FConnection);
    }
    void Destroy(uint32_t window) {
        xcb_destroy_window(FConnection, window);
        xcb_flush(FConnection);
    }
    std::vector<uint32_t> Children(uint32_t window) {
        std::vector<uint32_t> children;
        if (auto* reply =
                xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, window), nullptr)) {
            const xcb_window_t* list = xcb_query_tree_children(reply);
            children.assign(list, list + xcb_query_tree_children_length(reply));
            std::free(reply);
        }
        return children;
    }
    std::pair<int, int> Size(uint32_t window) {
        std::pair<int, int> size{0, 0};
        if (auto* reply = xcb_get_geometry_reply(FConnection, xcb_get_geometry(FConnection, window),
                                                 nullptr)) {
            size = {reply->width, reply->height};
            std::free(reply);
        }
        return size;
    }
    TShot Shot(uint32_t window) {
        TShot shot;
        const auto [width, height] = Size(window);
        auto* reply =
            xcb_get_image_reply(FConnection,
                                xcb_get_image(FConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0,
                                              uint16_t(width), uint16_t(height), ~0u),
                                nullptr);
        if (!reply) return shot;
        // 24-bit depth comes as 32 bits per pixel, blue first.
        const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
        shot.Width = width;
        shot.Height = height;
        shot.Pixels.assign(data, data + size_t(width) * size_t(height));
        for (uint32_t& p : shot.Pixels) p &= 0x00FFFFFFu;
        std::free(reply);
        return shot;
    }

  private:
    xcb_connection_t* FConnection = nullptr;
    xcb_screen_t* FScreen = nullptr;
};

std::string Hex(uint32_t id) {
    std::ostringstream text;
    text << "0x" << std::hex << id;
    return text.str();
}

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

bool WrittenByTheProgram(const TSandbox& sandbox) {
    const std::string text = ReadText(sandbox.ConfigFile());
    return !text.empty() && text.find(ConfigMarker) == std::string::npos;
}

// An installed show with its sample pictures and short intervals.
void InstallQuickShow(TSandbox& sandbox, int picDelayMs = 300) {
    std::filesystem::remove_all(sandbox.Pics());
    WriteText(sandbox.ConfigFile(), QuickConfig(picDelayMs));
    ASSERT_EQ(sandbox.Install(), 0) << sandbox.InstallOutput();
}

TEST(X11Program, TheFullScreenShowShowsPicturesAndEndsOnAKey) {
    TSandbox sandbox;
    InstallQuickShow(sandbox);
    TX11 x;
    auto run = sandbox.Start({"/S"});
    // After the first transition the whole screen shows a picture (the samples have the
    // screen's shape).
    TShot shot;
    EXPECT_TRUE(Eventually(
        [&] {
            shot = x.Shot(x.Root());
            return shot.FilledWithAPicture();
        },
        15000))
        << run->Errors();
    EXPECT_EQ(shot.Width, 1280);
    EXPECT_TRUE(run->Running());
    EXPECT_FALSE(WrittenByTheProgram(sandbox));

    EXPECT_EQ(Shell("xdotool key space"), 0);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox)) << ReadText(sandbox.ConfigFile());
}

TEST(X11Program, TheFullScreenShowEndsWhenTheMouseMoves) {
    TSandbox sandbox;
    InstallQuickShow(sandbox);
    TX11 x;
    auto run = sandbox.Start({"/S"});
    ASSERT_TRUE(Eventually([&] { return x.Shot(x.Root()).ShowsAPicture(); }, 15000));
    // A hand on the mouse: moves a little apart in time (moves that come together may reach
    // the show as one). The first only sets where the pointer started.
    std::optional<int> status;
    for (int i = 0; i < 20 && !status; ++i) {
        Shell("xdotool mousemove " + std::to_string(100 + 40 * i) + " 200");
        status = run->Wait(200);
    }
    EXPECT_EQ(status, 0) << run->Errors();
}

TEST(X11Program, AHostedRunDrawsIntoItsWindowFollowsItsSizeAndEndsOnTermination) {
    TSandbox sandbox;
    InstallQuickShow(sandbox);
    TX11 x;
    const uint32_t host = x.CreateWindow(400, 300);
    auto run = sandbox.Start({"--root"}, {{"XSCREENSAVER_WINDOW", Hex(host)}});
    ASSERT_TRUE(Eventually([&] { return x.Shot(host).ShowsAPicture(); }, 15000)) << run->Errors();
    ASSERT_EQ(x.Children(host).size(), 1u);
    const uint32_t show = x.Children(host)[0];
    EXPECT_EQ(x.Size(show), std::make_pair(400, 300));

    // Hosted runs stay out of the single-instance guard: a second one runs beside it.
    const uint32_t second = x.CreateWindow(200, 150);
    auto other = sandbox.Start({"--window-id", std::to_string(second)});
    EXPECT_TRUE(Eventually([&] { return x.Shot(second).ShowsAPicture(); }, 15000));
    EXPECT_TRUE(other->Running());

    x.Resize(host, 640, 400);
    EXPECT_TRUE(Eventually([&] { return x.Size(show) == std::make_pair(640, 400); }, 10000));
    // The new area shows the show, not the host's white background.
    EXPECT_TRUE(Eventually(
        [&] {
            const TShot shot = x.Shot(host);
            return shot.Width == 640 && shot.At(600, 380) != 0xFFFFFF;
        },
        10000));

    run->Signal(SIGTERM);
    other->Signal(SIGINT);
    EXPECT_EQ(run->Wait(5000), 0) << run->Errors();
    EXPECT_EQ(other->Wait(5000), 0) << other->Errors();
    EXPECT_FALSE(WrittenByTheProgram(sandbox));  // hosted runs never write the settings
}

TEST(X11Program, APreviewEndsWhenItsHostWindowIsDestroyed) {
    TSandbox sandbox;
    InstallQuickShow(sandbox);
    TX11 x;
    const uint32_t host = x.CreateWindow(320, 240);
    auto run = sandbox.Start({"/p", std::to_string(host)});
    ASSERT_TRUE(Eventually([&] { return x.Shot(host).ShowsAPicture(); }, 15000)) << run->Errors();
    x.Destroy(host);
    EXPECT_EQ(run->Wait(10000), 0) << run->Errors();
    EXPECT_TRUE(WrittenByTheProgram(sandbox));
}

TEST(X11Program, AHostedRunWithoutPicturesShowsTheMessageAndStays) {
    TSandbox sandbox;
    WriteText(sandbox.ConfigFile(), QuickConfig());
    TX11 x;
    const uint32_t host = x.CreateWindow(480, 270);
    auto run = sandbox.Start({"--window-id", Hex(host)});
    const std::string expected = "No pictures found in " + sandbox.Pics().string();
    ASSERT_TRUE(Eventually([&] { return run->Errors().find(expected) != std::string::npos; }))
        << run->Errors();
    // Light text on the black background.
    EXPECT_TRUE(Eventually([&] {
        const TShot shot = x.Shot(host);
        int light = 0, dark = 0;
        for (uint32_t p : shot.Pixels) (p == 0 ? dark : light) += (p == 0 || p > 0x808080);
        return light > 50 && dark > int(shot.Pixels.size()) / 2;
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(run->Running());
    run->Signal(SIGTERM);
    EXPECT_EQ(run->Wait(5000), 0);
}

TEST(X11Program, APreviewWithoutItsWindowTouchesNothing) {
    TX11 x;
    const struct {
        const char* What;
        std::string Id;
    } cases[] = {
        {"0, which would be the whole screen", "0"},
        {"an id that names no window", "134217712"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.What);
        TSandbox sandbox;
        WriteText(sandbox.ConfigFile(), QuickConfig());
        auto run = sandbox.Start({"/p", c.Id});
        EXPECT_EQ(run->Wait(10000), 1);
        EXPECT_NE(run->Errors().find("No preview window: " + c.Id), std::string::npos)
            << run->Errors();
        // Neither the single-instance guard nor the settings file was touched.
        EXPECT_TRUE(std::filesystem::is_empty(sandbox.Root() / "runtime"));
        EXPECT_EQ(ReadText(sandbox.ConfigFile()), QuickConfig());
    }
}

TEST(X11Program, AHostedRunShowsASettingsFileErrorAndStays) {
    TSandbox sandbox;
    InstallQuickShow(sandbox);
    // A settings file that cannot be read: a folder in its place.
    std::filesystem::remove(sandbox.ConfigFile());
    std::filesystem::create_directory(sandbox.ConfigFile());
    TX11 x;
    const uint32_t host = x.CreateWindow(480, 270);
    auto run = sandbox.Start({"--root"}, {{"XSCREENSAVER_WINDOW", Hex(host)}});
    const std::string expected =
        "Cannot read the settings file \"" + sandbox.ConfigFile().string() + "\"";
    ASSERT_TRUE(Eventually([&] { return run->Errors().find(expected) != std::string::npos; }))
        << run->Errors();
    // The message in light text on the black background, and no show.
    EXPECT_TRUE(Eventually([&] {
        const TShot shot = x.Shot(host);
        int light = 0, dark = 0;
        for (uint32_t p : shot.Pixels) (p == 0 ? dark : light) += (p == 0 || p > 0x808080);
        return light > 50 && dark > int(shot.Pixels.size()) / 2;
    }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(run->Running());
    // Still the message over black: no picture came in.
    const TShot shot = x.Shot(host);
    EXPECT_GT(std::count(shot.Pixels.begin(), shot.Pixels.end(), 0u),
              int(shot.Pixels.size()) * 8 / 10);
    run->Signal(SIGTERM);
    EXPECT_EQ(run->Wait(5000), 0) << run->Errors();
    EXPECT_TRUE(std::filesystem::is_directory(sandbox.ConfigFile()));
}

TEST(X11Program, AHostedRunWithoutItsWindowEnds) {
    TSandbox sandbox;
    WriteText(sandbox.ConfigFile(), QuickConfig());
    auto run = sandbox.Start({"--window-id", "0x7fffff0"});
    EXPECT_EQ(run->Wait(10000), 1);
    EXPECT_NE(run->Errors().find("does not exist"), std::string::npos) << run->Errors();
    EXPECT_FALSE(WrittenByTheProgram(sandbox));
}

}  // namespace
}  // namespace corvane::test
