// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ProcessAge.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <unistd.h>

long long ProcessAgeMs()
{
#if defined(__linux__)
    // Field 22 of /proc/self/stat: the start in clock ticks after boot (CLOCK_BOOTTIME's zero).
    std::FILE* f = std::fopen("/proc/self/stat", "r");
    if (!f)
        return -1;
    char buffer[1024];
    const size_t n = std::fread(buffer, 1, sizeof buffer - 1, f);
    std::fclose(f);
    buffer[n] = '\0';
    // The command name (field 2) may hold blanks and parentheses: the fields go on after the last ')'.
    const char* p = std::strrchr(buffer, ')');
    if (!p)
        return -1;
    unsigned long long nStartTicks = 0;
    if (std::sscanf(p + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d %*d %*d %*d %*d %llu",
                    &nStartTicks) != 1)
        return -1;
    const long nTicksPerSecond = sysconf(_SC_CLK_TCK);
    timespec now{};
    if (nTicksPerSecond <= 0 || clock_gettime(CLOCK_BOOTTIME, &now) != 0)
        return -1;
    const long long nAge = (long long)now.tv_sec * 1000 + now.tv_nsec / 1000000 -
                           (long long)(nStartTicks * 1000 / (unsigned long long)nTicksPerSecond);
    return nAge >= 0 ? nAge : -1;
#else
    return -1;
#endif
}
