#pragma once
// The slideshow cycle: after each transition it pauses, picks the next effect from EffsChecked and
// the next picture from PicsChecked (in order or at random), loads the picture into the player and
// starts the next transition. PlayerComplete is the player's OnComplete handler; the slideshow
// window also calls it once when it is created, which skips the pause.
//
// Everything here runs on the main thread.

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
// The last used positions in EffsChecked and PicsChecked.
extern int32_t EffIndex;
extern int32_t PicIndex;
// The next PlayerComplete skips the pause.
extern bool FirstCall;
// Set when the slideshow window closes; ends a pause in progress.
extern bool Closing;

// Raised when the pictures folder holds no picture to show.
class ENoPictures : public std::runtime_error {
  public:
    explicit ENoPictures(const std::string& folder)
        : std::runtime_error("No pictures found in " + folder) {}
};

// Puts the cycle state back to its values at program start.
void ResetSlideshowCycle();

// Pauses (except on the first call), chooses the next effect and picture, loads the picture and
// executes the player. When neither the chosen picture nor a random replacement loads, the error
// passes on and no transition starts.
void PlayerComplete(TCustomTransitionPlayer& Sender);

}  // namespace corvane
