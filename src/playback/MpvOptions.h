// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The options that every mpv core of the program starts with: nothing of the user's own mpv setup,
// nothing that could run or read local things, and the settings for a quick start of live streams.
// The player's core and the core that carries the old channel over a switch (CMpvTail) share them.
struct mpv_handle;

namespace mpvoptions
{
// Before mpv_initialize.
void Apply(mpv_handle* pMpv);
} // namespace mpvoptions
