// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "base/PlayerTrace.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace
{
double Now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}
} // namespace

const char* playertrace::Level()
{
    static const char* const pLevel = []() -> const char*
    {
        const char* p = std::getenv("VEDRIX_PLAYER_TRACE");
        return p && *p ? p : nullptr;
    }();
    return pLevel;
}

void playertrace::Mark(const char* pWhat, const char* pDetail)
{
    if (!IsOn())
        return;
    std::fprintf(stderr, "%.6f vedrix: %s%s%s\n", Now(), pWhat, pDetail ? " " : "", pDetail ? pDetail : "");
    std::fflush(stderr);
}

void playertrace::MpvLine(const char* pPrefix, const char* pText)
{
    if (!IsOn())
        return;
    const size_t n = std::strlen(pText);
    std::fprintf(stderr, "%.6f [%s] %.*s\n", Now(), pPrefix, int(n && pText[n - 1] == '\n' ? n - 1 : n),
                 pText);
    std::fflush(stderr);
}
