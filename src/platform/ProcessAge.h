// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// How long ago this process was started (by the system's own record of its start, so the time that
// the dynamic loader spends before main() counts too).

// Milliseconds since the process started, or -1 where the system does not say.
long long ProcessAgeMs();
