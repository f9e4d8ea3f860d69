#include "X11Screen.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <stdexcept>

#include "tools/common/PictureWriters.h"

namespace corvane::test {

int TShot::DistinctColours(int x0, int y0, int x1, int y1) const {
    std::set<uint32_t> colours;
    for (int y = y0; y < y1; y += 3)
        for (int x = x0; x < x1; x += 3) colours.insert(At(x, y));
    return int(colours.size());
}

bool TShot::FilledWithAPicture() const {
    const int w = Width / 2, h = Height / 2;
    return ShowsAPicture() && DistinctColours(0, 0, w, h) > 20 &&
           DistinctColours(w, 0, Width, h) > 20 && DistinctColours(0, h, w, Height) > 20 &&
           DistinctColours(w, h, Width, Height) > 20;
}

TShot TShot::Crop(int x, int y, int width, int height) const {
    TShot part;
    part.Width = width;
    part.Height = height;
    part.Pixels.reserve(size_t(width) * size_t(height));
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column) part.Pixels.push_back(At(column, row));
    return part;
}

void KeepArtefact(const TShot& shot, const std::string& name) {
    Bitmap32 bitmap(shot.Width, shot.Height);
    for (int y = 0; y < shot.Height; ++y)
        for (int x = 0; x < shot.Width; ++x) bitmap.SetPixel(x, y, shot.At(x, y));
    const std::filesystem::path folder = std::filesystem::path(CORVANE_BINARY_DIR) / "artefacts";
    std::filesystem::create_directories(folder);
    WritePictureFile(bitmap, (folder / name).string());
}

TX11::TX11(int screenNumber) {
    FConnection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(FConnection)) throw std::runtime_error("no X server");
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(FConnection));
    for (int i = 0; i < screenNumber && screens.rem > 1; ++i) xcb_screen_next(&screens);
    FScreen = screens.data;
}

TX11::~TX11() {
    xcb_disconnect(FConnection);
}

uint32_t TX11::CreateWindow(int width, int height) {
    const uint32_t id = xcb_generate_id(FConnection);
    const uint32_t values[] = {FScreen->white_pixel};
    xcb_create_window(FConnection, XCB_COPY_FROM_PARENT, id, FScreen->root, 0, 0, uint16_t(width),
                      uint16_t(height), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, FScreen->root_visual,
                      XCB_CW_BACK_PIXEL, values);
    xcb_map_window(FConnection, id);
    xcb_flush(FConnection);
    return id;
}

void TX11::Resize(uint32_t window, int width, int height) {
    const uint32_t values[] = {uint32_t(width), uint32_t(height)};
    xcb_configure_window(FConnection, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(FConnection);
}

void TX11::Destroy(uint32_t window) {
    xcb_destroy_window(FConnection, window);
    xcb_flush(FConnection);
}

std::vector<uint32_t> TX11::Children(uint32_t window) {
    std::vector<uint32_t> children;
    if (auto* reply =
            xcb_query_tree_reply(FConnection, xcb_query_tree(FConnection, window), nullptr)) {
        const xcb_window_t* list = xcb_query_tree_children(reply);
        children.assign(list, list + xcb_query_tree_children_length(reply));
        std::free(reply);
    }
    return children;
}

std::pair<int, int> TX11::Size(uint32_t window) {
    std::pair<int, int> size{0, 0};
    if (auto* reply =
            xcb_get_geometry_reply(FConnection, xcb_get_geometry(FConnection, window), nullptr)) {
        size = {reply->width, reply->height};
        std::free(reply);
    }
    return size;
}

TShot TX11::Shot(uint32_t window) {
    TShot shot;
    const auto [width, height] = Size(window);
    auto* reply = xcb_get_image_reply(FConnection,
                                      xcb_get_image(FConnection, XCB_IMAGE_FORMAT_Z_PIXMAP, window,
                                                    0, 0, uint16_t(width), uint16_t(height), ~0u),
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

std::string Hex(uint32_t id) {
    std::ostringstream text;
    text << "0x" << std::hex << id;
    return text.str();
}

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

}  // namespace corvane::test
