// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The program's logging categories. Each one prints warnings (a real failure that a user or packager
// needs to see) and nothing below them unless QT_LOGGING_RULES asks, e.g.
//   QT_LOGGING_RULES="vedrix.*.debug=true" vedrix
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcPlayer)    // vedrix.player: streams that cannot be opened, why playback ended
Q_DECLARE_LOGGING_CATEGORY(lcList)      // vedrix.list: channel list download and reading
Q_DECLARE_LOGGING_CATEGORY(lcDirectory) // vedrix.directory: the station directory's searches
Q_DECLARE_LOGGING_CATEGORY(lcHotKeys)   // vedrix.hotkeys: grabs and portal shortcuts refused
Q_DECLARE_LOGGING_CATEGORY(lcWeb)       // vedrix.web: pages that fail, the web engine's set-up
Q_DECLARE_LOGGING_CATEGORY(lcSettings)  // vedrix.settings: values that did not reach the disk
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)   // vedrix.desktop: notifications, MPRIS, screen saver inhibition

namespace logging
{
// Keeps the web engine's chatter off the terminal unless QT_LOGGING_RULES names the web engine: its
// start-up report (qt.webenginecontext), a page's console (js) and the notices it prints on every
// start. Called before the web module is loaded: the engine says some of it while its library loads.
void QuietenWebEngine();
} // namespace logging
