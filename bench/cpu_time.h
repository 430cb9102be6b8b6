// The process's CPU time, and a way to let open windows paint what is
// pending, for the benchmarks that time work on screen.
#pragma once

#include <QCoreApplication>
#include <time.h>

inline double CpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Lets the windows paint what is pending.
inline void Paint() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}
