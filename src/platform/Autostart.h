// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The per-user autostart entry, $XDG_CONFIG_HOME/autostart/vedrix.desktop, that starts the program
// hidden at log-in: Exec is the quoted program path followed by " :silent".
#include <QString>

namespace autostart
{
constexpr int kOn = 1;
constexpr int kOff = 0;
constexpr int kUnavailable = -2; // the autostart folder cannot be created or written

// $XDG_CONFIG_HOME/autostart (or ~/.config/autostart).
QString FolderPath();
QString EntryPath();

// 1 when the entry exists and its program exists, 0 when there is no entry, its program is
// missing or the desktop has switched it off (Hidden=true, X-GNOME-Autostart-enabled=false), -2
// when the folder cannot be created or written.
int QueryAutoStart();
// Writes (enable) or removes the entry for strProgramPath; then returns QueryAutoStart().
int SetAutoStart(bool bEnable, const QString& strProgramPath, const QString& strName);

// One argument of an Exec line, quoted as the Desktop Entry format asks (always in double quotes),
// before the file format's own escaping of backslashes.
QString QuoteExecArgument(const QString& strArgument);
// The Exec value as it is written into the file for the program: quoted path + " :silent", escaped.
QString ExecValue(const QString& strProgramPath);
// The arguments of an Exec value read from a file (its escapes undone, quotes removed).
QStringList SplitExecValue(const QString& strValue);
} // namespace autostart
