#pragma once

#include <QElapsedTimer>

// Wall time and CPU time of the whole process and of the calling thread,
// taken together so a stretch of work can be measured as a share of a core.
class CpuClock
{
public:
    struct Reading {
        double wall = 0;      // seconds
        double process = 0;   // CPU seconds, all threads
        double thread = 0;    // CPU seconds, the measuring thread
        // Share of one core over the wall time (0 when no time passed).
        double processShare() const { return wall > 0 ? process / wall : 0; }
        double threadShare() const { return wall > 0 ? thread / wall : 0; }
    };

    CpuClock() { restart(); }
    void restart();
    Reading elapsed() const;

    static double processSeconds();
    static double threadSeconds();

private:
    QElapsedTimer m_wall;
    double m_process = 0;
    double m_thread = 0;
};
