// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Time stamps of what a channel start goes through, for the benchmarks (tools/bench sound): with the
// environment variable VEDRIX_PLAYER_TRACE set to an mpv log level ("v", "debug"), mpv's log at that
// level and the player's own steps go to stderr, each line led by the monotonic clock in seconds (the
// clock of the benchmarks' own time stamps), so the time between a key press and the first sound can
// be divided into its steps. Unset, nothing is traced and nothing costs.
#include <QtGlobal>

namespace playertrace
{
// The mpv log level asked for, or nullptr when tracing is off.
const char* Level();
inline bool IsOn()
{
    return Level() != nullptr;
}
// One line "<seconds> vedrix: <what>" on stderr, when tracing is on.
void Mark(const char* pWhat, const char* pDetail = nullptr);
// One line of mpv's log, "<seconds> [prefix] text".
void MpvLine(const char* pPrefix, const char* pText);
} // namespace playertrace
