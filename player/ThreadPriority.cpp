#include "player/ThreadPriority.h"

#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace corvane {

int NiceOffsetOf(TThreadPriority priority) {
    switch (priority) {
        case tpIdle: return 19;
        case tpLowest: return 10;
        case tpLower: return 5;
        case tpNormal: return 0;
        case tpHigher: return -5;
        case tpHighest: return -10;
        case tpTimeCritical: return -20;
    }
    return 0;
}

void ApplyThreadPriority(TThreadPriority priority) {
    if (priority == tpNormal) return;
    if (priority == tpIdle) {
        sched_param param{};
        param.sched_priority = 0;
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &param);
        return;
    }
    // On Linux the nice value belongs to each thread; the thread id addresses this one alone.
    const pid_t self = gettid();
    errno = 0;
    const int base = getpriority(PRIO_PROCESS, 0);
    if (errno != 0) return;
    const int wanted = std::clamp(base + NiceOffsetOf(priority), -20, 19);
    setpriority(PRIO_PROCESS, id_t(self), wanted);
}

}  // namespace corvane
