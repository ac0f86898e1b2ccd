// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The hot key service of the running session: the desktop portal's global shortcuts on Wayland (Qt's
// wayland platform, or xcb on XWayland) when the session bus has them, the X11 one under xcb otherwise,
// else none (null), and the application keeps one that refuses every registration.
#include "platform/HotKeyService.h"

#include <memory>

std::unique_ptr<CHotKeyService> CreateHotKeyService();
