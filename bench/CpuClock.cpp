#include "CpuClock.h"

#include <ctime>

namespace {
double seconds(clockid_t id)
{
    timespec t{};
    clock_gettime(id, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}
} // namespace

double CpuClock::processSeconds()
{
    return seconds(CLOCK_PROCESS_CPUTIME_ID);
}

double CpuClock::threadSeconds()
{
    return seconds(CLOCK_THREAD_CPUTIME_ID);
}

void CpuClock::restart()
{
    m_process = processSeconds();
    m_thread = threadSeconds();
    m_wall.start();
}

CpuClock::Reading CpuClock::elapsed() const
{
    Reading r;
    r.wall = double(m_wall.nsecsElapsed()) / 1e9;
    r.process = processSeconds() - m_process;
    r.thread = threadSeconds() - m_thread;
    return r;
}
