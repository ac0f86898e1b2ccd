// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The name under which the desktop knows the program: its installed vedrix.desktop. The MPRIS
// DesktopEntry property, the notifications' desktop-entry hint and the window's application id use
// it, so that panels and notification centres find the entry's name and icon.
inline constexpr char kDesktopEntryId[] = "vedrix";
