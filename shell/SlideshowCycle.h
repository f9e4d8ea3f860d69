#pragma once
// The slideshow cycle: after each transition it picks the next effect from EffsChecked and the
// next picture from PicsChecked (in order or at random), pauses, and starts the next transition
// to that picture. PlayerComplete is the player's OnComplete handler; the slideshow window also
// calls it once when it is created, which skips the pause.
//
// The picture is read and decoded on a background thread while the pause runs, so the window
// stays responsive however large it is; the pause ends when both PicDelay has passed and the
// picture is ready. A file that cannot be loaded is replaced by the random fallback drawn for
// each change, then by further random files not yet known to fail; each failure is written once
// to standard error, and the show stops with an error only when no file of the folder loads.
//
// Everything here runs on the main thread, except the reading and decoding of pictures.

#include <cstdint>
#include <stdexcept>
#include <string>

namespace corvane {

class TCustomTransitionPlayer;

// Pause between the end of a transition and the next, milliseconds.
extern int32_t PicDelay;
// 1 picks effects (pictures) at random; any other value goes through the playlist in order.
extern uint8_t AutoEffect;
extern uint8_t AutoPic;
// Where one slideshow stands in the playlists: the last used positions in EffsChecked and
// PicsChecked, and whether its next picture change skips the pause. The one slideshow of the
// design (the first screen's) stands at DesignPosition; the show on further screens gives each
// of them a position of its own.
struct TCyclePosition {
    int32_t EffIndex = 0;
    int32_t PicIndex = 0;
    bool FirstCall = true;
};
extern TCyclePosition DesignPosition;
extern int32_t& EffIndex;
extern int32_t& PicIndex;
extern bool& FirstCall;
// Set when the slideshow window closes; a picture change in progress then starts nothing.
extern bool Closing;

// Raised when the pictures folder holds no file at all.
class ENoPictures : public std::runtime_error {
  public:
    explicit ENoPictures(const std::string& folder)
        : std::runtime_error("No pictures found in " + folder) {}
};

// Raised when no file of the pictures folder can be loaded as a picture.
class ENoLoadablePictures : public std::runtime_error {
  public:
    explicit ENoLoadablePictures(const std::string& folder)
        : std::runtime_error("None of the files in " + folder + " can be shown as a picture") {}
};

// Puts the cycle state back to its values at program start, the files known to fail included.
void ResetSlideshowCycle();

// Chooses the next effect (setting the player's Style) and the next picture, starts loading it,
// and returns; the player's Execute follows from the event loop once the pause (skipped on the
// first call) is over and the picture is ready. Raises ENoPictures for an empty folder at once,
// and ENoLoadablePictures, from the event loop, when every file of the folder has failed.
void PlayerComplete(TCustomTransitionPlayer& Sender);
// The same for a slideshow standing at `position`. Only the design's slideshow reports that no
// file of the folder loads; another one then just stops.
void PlayerComplete(TCustomTransitionPlayer& Sender, TCyclePosition& position);

// Whether a picture change started by PlayerComplete is still waiting for its pause or picture.
bool PictureChangePending(TCustomTransitionPlayer& Sender);

}  // namespace corvane
