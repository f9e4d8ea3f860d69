#pragma once
// The X server as the end-to-end tests see it: their own connection, windows made as a host makes
// them, and screenshots of any window.

#include <xcb/xcb.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace corvane::test {

// A screenshot: pixels 0x00RRGGBB, rows from the top.
struct TShot {
    int Width = 0, Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int x, int y) const { return Pixels[size_t(y) * size_t(Width) + size_t(x)]; }
    int DistinctColours(int x0, int y0, int x1, int y1) const;
    // Many colours, as a picture has and a plain background or an empty window has not.
    bool ShowsAPicture() const { return DistinctColours(0, 0, Width, Height) > 100; }
    // Every quarter has picture in it, as once a transition has ended.
    bool FilledWithAPicture() const;
    // The part of the shot in the rectangle.
    TShot Crop(int x, int y, int width, int height) const;
};

// A screenshot kept with the build (artefacts/NAME) for a person to look at, not compared.
void KeepArtefact(const TShot& shot, const std::string& name);

// The test's own connection to the X server.
class TX11 {
  public:
    // A connection to the X server of DISPLAY; its screen `screenNumber` is the one the calls
    // below use (the display's several screens side by side, as two monitors without Xinerama).
    explicit TX11(int screenNumber = 0);
    ~TX11();
    TX11(const TX11&) = delete;
    TX11& operator=(const TX11&) = delete;

    uint32_t Root() const { return FScreen->root; }
    // A plain white window, mapped, as a host makes one.
    uint32_t CreateWindow(int width, int height);
    void Resize(uint32_t window, int width, int height);
    void Destroy(uint32_t window);
    std::vector<uint32_t> Children(uint32_t window);
    std::pair<int, int> Size(uint32_t window);
    TShot Shot(uint32_t window);

  private:
    xcb_connection_t* FConnection = nullptr;
    xcb_screen_t* FScreen = nullptr;
};

std::string Hex(uint32_t id);
int Shell(const std::string& command);

}  // namespace corvane::test
