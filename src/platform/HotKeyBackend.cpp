#include "platform/HotKeyBackend.h"

#include "platform/X11HotKeyService.h"

#include <QGuiApplication>

std::unique_ptr<CHotKeyService> CreateHotKeyService()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    return std::unique_ptr<CHotKeyService>(CX11HotKeyService::Create());
}
