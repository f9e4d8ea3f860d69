#include "settings/Ticks.h"

#include "platform/Clock.h"

namespace corvane {
namespace {
uint32_t RememberedTick = 0;
}

void StartTick() {
    RememberedTick = GetTickCount32();
}

uint32_t TicksElapsed() {
    return TicksBetween(RememberedTick, GetTickCount32());
}

}  // namespace corvane
