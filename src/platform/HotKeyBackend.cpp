// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/HotKeyBackend.h"

#include "platform/PortalHotKeyService.h"
#include "platform/X11HotKeyService.h"

#include <QGuiApplication>

namespace
{
// A Wayland session, whatever platform Qt took: an X client there runs on XWayland, whose grabs see
// the keys only while one of XWayland's own windows has the focus.
bool IsWaylandSession()
{
    return qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
}
} // namespace

std::unique_ptr<CHotKeyService> CreateHotKeyService()
{
    const bool bX11 = QGuiApplication::platformName() == QLatin1String("xcb");
    // Wayland lets no client grab keys: the desktop portal binds them for us, where it can. Under
    // XWayland too, where the grabs would not be global; without a portal there they are still better
    // than none. VEDRIX_HOTKEYS=portal asks the portal in any session.
    const bool bPortalAsked = qEnvironmentVariable("VEDRIX_HOTKEYS") == QLatin1String("portal");
    if (!bX11 || IsWaylandSession() || bPortalAsked)
        if (CPortalHotKeyService* portal = CPortalHotKeyService::Create())
            return std::unique_ptr<CHotKeyService>(portal);
    if (bX11)
        if (CX11HotKeyService* x11 = CX11HotKeyService::Create())
            return std::unique_ptr<CHotKeyService>(x11);
    return nullptr;
}
