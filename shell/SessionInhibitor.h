#pragma once
// Keeps the session's own screensaver from starting over the full-screen show while it runs:
// through the session bus's screensaver service where there is one, else by suspending the X
// server's screensaver. Both are quietly skipped when unavailable; the destructor undoes what was
// done.

#include <cstdint>

namespace corvane {

class TSessionInhibitor {
  public:
    enum class TMethod { Nothing, SessionBus, X11 };

    TSessionInhibitor();
    ~TSessionInhibitor();
    TSessionInhibitor(const TSessionInhibitor&) = delete;
    TSessionInhibitor& operator=(const TSessionInhibitor&) = delete;

    TMethod Method() const { return FMethod; }

  private:
    TMethod FMethod = TMethod::Nothing;
    uint32_t FCookie = 0;

    bool InhibitThroughSessionBus();
    bool SuspendX11(bool suspend);
};

}  // namespace corvane
