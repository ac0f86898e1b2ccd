// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The translation contexts: one per area of the program rather than one per class, so a translator
// meets the ribbon's labels together, the tray menu's entries together, and so on. Classes that have
// tr() of their own (Q_OBJECT) keep it.
#include <QCoreApplication>

namespace text
{
struct Ribbon
{
    Q_DECLARE_TR_FUNCTIONS(Ribbon)
};
// The string table's entries: command descriptions and tooltips, the application title.
struct StringTable
{
    Q_DECLARE_TR_FUNCTIONS(StringTable)
};
struct Tray
{
    Q_DECLARE_TR_FUNCTIONS(Tray)
};
// The main window: status bar, the channel view, the messages of the shell.
struct MainWindow
{
    Q_DECLARE_TR_FUNCTIONS(MainWindow)
};
// About, New, the download dialog, Add Station by Address.
struct Dialogs
{
    Q_DECLARE_TR_FUNCTIONS(Dialogs)
};
struct MyStations
{
    Q_DECLARE_TR_FUNCTIONS(MyStations)
};
struct Directory
{
    Q_DECLARE_TR_FUNCTIONS(Directory)
};
struct SleepTimer
{
    Q_DECLARE_TR_FUNCTIONS(SleepTimer)
};
} // namespace text
