#include "platform/HotKeyBackend.h"

#include "platform/PortalHotKeyService.h"
#include "platform/X11HotKeyService.h"

#include <QGuiApplication>

std::unique_ptr<CHotKeyService> CreateHotKeyService()
{
    // VEDRIX_HOTKEYS=portal asks the desktop portal also under X11: an XWayland window's grabs see
    // only the keys pressed while one of its windows has the focus.
    const bool bPortalAsked = qEnvironmentVariable("VEDRIX_HOTKEYS") == QLatin1String("portal");
    if (!bPortalAsked && QGuiApplication::platformName() == QLatin1String("xcb"))
        if (CX11HotKeyService* x11 = CX11HotKeyService::Create())
            return std::unique_ptr<CHotKeyService>(x11);
    // Wayland lets no client grab keys: the desktop portal binds them for us, where it can.
    return std::unique_ptr<CHotKeyService>(CPortalHotKeyService::Create());
}
