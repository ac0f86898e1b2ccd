// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Which window system Qt shows the program on.
#include <QGuiApplication>
#include <QLatin1String>

// Qt's wayland platform (also "wayland-egl" and the like): the compositor places, raises and
// minimises the windows, and tells a client neither where its window is nor that it is minimised.
inline bool IsWaylandPlatform()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}
