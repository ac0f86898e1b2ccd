// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/HotKeyBackend.h"

#include "platform/PortalHotKeyService.h"
#include "platform/X11HotKeyService.h"

#include <QGuiApplication>

std::unique_ptr<CHotKeyService> CreateHotKeyService()
{
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        if (CX11HotKeyService* x11 = CX11HotKeyService::Create())
            return std::unique_ptr<CHotKeyService>(x11);
    // Wayland lets no client grab keys: the desktop portal binds them for us, where it can.
    return std::unique_ptr<CHotKeyService>(CPortalHotKeyService::Create());
}
