// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The hot key service of the running session: the X11 one under xcb, else the desktop portal's
// global shortcuts when the session bus has them, otherwise none (null), and the application keeps
// one that refuses every registration.
#include "platform/HotKeyService.h"

#include <memory>

std::unique_ptr<CHotKeyService> CreateHotKeyService();
