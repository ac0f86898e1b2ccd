#include "platform/HotKeyBackend.h"

#include "platform/X11HotKeyService.h"

#include <QCoreApplication>
#include <QGuiApplication>

namespace
{
CX11HotKeyService* g_pInstalled = nullptr;

// Runs while the application still has its X connection, before its windows are destroyed.
void RemoveInstalledService()
{
    if (GetHotKeyService() == g_pInstalled)
        SetHotKeyService(nullptr);
    delete g_pInstalled;
    g_pInstalled = nullptr;
}
} // namespace

void InstallHotKeyService()
{
    if (g_pInstalled || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    g_pInstalled = CX11HotKeyService::Create();
    if (!g_pInstalled)
        return;
    SetHotKeyService(g_pInstalled);
    qAddPostRoutine(RemoveInstalledService);
}
