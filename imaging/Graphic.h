#pragma once
// The abstract picture. Every picture class can be made without arguments, loads itself from a
// file or a stream (raising an error on bad data and leaving nothing half-loaded that its holder
// could show), reports its size in pixels, and draws itself into a rectangle of a bitmap's
// drawing surface, scaled to that rectangle. Drawing goes through the surface's origin and clip
// region like every other drawing call.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "imaging/PictureLimits.h"
#include "platform/raster/Bitmap32.h"
#include "platform/raster/Geometry.h"

namespace corvane {

class TStream;
class TGraphic;

enum class TProgressStage { psStarting, psRunning, psEnding };

using TGraphicNotify = std::function<void(TGraphic& sender)>;
using TProgressEvent = std::function<void(TGraphic& sender, TProgressStage stage, int percentDone)>;

// A picture class as the format registry knows it: its name and a way to make an instance.
struct TGraphicClass {
    const char* Name;
    std::unique_ptr<TGraphic> (*Create)();
};

// The class record of a picture class T (which names itself in T::StaticClassName).
template <typename T>
const TGraphicClass* GraphicClassOf() {
    static const TGraphicClass record{
        T::StaticClassName, []() -> std::unique_ptr<TGraphic> { return std::make_unique<T>(); }};
    return &record;
}

class TGraphic {
public:
    virtual ~TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    virtual const char* ClassName() const = 0;
    virtual const TGraphicClass* ClassType() const = 0;
    // A picture of the same class and content, with no notifications connected.
    virtual std::unique_ptr<TGraphic> Clone() const = 0;

    // Opens the file for shared reading and loads it through LoadFromStream, raising OnProgress
    // as the load starts and when it has ended. Throws EFOpenError when the file cannot be
    // opened and the class's own error for bad data.
    virtual void LoadFromFile(const std::string& fileName);
    virtual void LoadFromStream(TStream& stream) = 0;

    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    virtual bool Empty() const { return Width() <= 0 || Height() <= 0; }
    // Does at once the work that the first drawing would otherwise do (a class that decodes its
    // pixels on first use decodes them here), so that a picture loaded on one thread draws
    // quickly on another. Raises the class's decoding errors.
    virtual void Decode() const {}
    // The pixels the picture draws when drawn at its own size at (0, 0): every pixel of that
    // rectangle becomes the image's, whatever was there. Shared rather than copied, and never
    // changed; none for a picture whose drawing does anything else.
    virtual std::shared_ptr<const Bitmap32> OwnSizeImage() const { return nullptr; }

    // Draws the picture scaled to rect (logical coordinates of dest's surface).
    virtual void Draw(Bitmap32& dest, const TRect& rect) const = 0;

    // What the last load cost and, for classes that decode or play their records when they
    // draw, also the last drawing (see PictureLimits.h).
    const TPictureBudget& Budget() const { return FBudget; }

    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool value);

    TGraphicNotify OnChange;
    TProgressEvent OnProgress;

protected:
    TGraphic() = default;
    // Raises OnChange; called whenever the content changes.
    void Changed();
    void Progress(TProgressStage stage, int percentDone);
    // A fresh budget for a load; every LoadFromStream starts with it and reads, allocates and
    // draws through it.
    TPictureBudget& StartBudget() {
        FBudget = TPictureBudget();
        return FBudget;
    }
    // The same budget from a drawing, which is const.
    TPictureBudget& DrawBudget() const { return FBudget; }

private:
    bool FTransparent = false;
    mutable TPictureBudget FBudget;
};

}  // namespace corvane
