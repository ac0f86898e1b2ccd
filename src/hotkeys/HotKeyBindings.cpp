// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hotkeys/HotKeyBindings.h"

#include "base/Logging.h"
#include "base/SettingsStore.h"

#include <QCoreApplication>

namespace
{
struct SModifierPair
{
    quint8 bControl;
    quint16 wRegistration;
};

// The one table for both directions: Shift and Alt change places, Control stays, and the control's
// extended-key flag is stored as the Windows-key modifier (and comes back as the flag).
constexpr SModifierPair kModifierPairs[] = {
    {HOTKEYF_SHIFT, MOD_SHIFT},
    {HOTKEYF_CONTROL, MOD_CONTROL},
    {HOTKEYF_ALT, MOD_ALT},
    {HOTKEYF_EXT, MOD_WIN},
};

} // namespace

const SHotKeyAction* FindHotKeyAction(int nId)
{
    for (const SHotKeyAction& action : kHotKeyActions)
        if (action.nId == nId)
            return &action;
    return nullptr;
}

quint16 ControlToRegistrationModifiers(quint8 bControlModifiers)
{
    quint16 w = 0;
    for (const SModifierPair& p : kModifierPairs)
        if (bControlModifiers & p.bControl)
            w |= p.wRegistration;
    return w;
}

quint8 RegistrationToControlModifiers(quint16 wModifiers)
{
    quint8 b = 0;
    for (const SModifierPair& p : kModifierPairs)
        if (wModifiers & p.wRegistration)
            b |= p.bControl;
    return b;
}

bool SaveHotKey(CSettingsStore& settings, const QString& strName, quint16 wVirtualKey,
                quint8 bControlModifiers)
{
    if (!settings.Write(settings::HotKeyKey(strName), int(wVirtualKey)))
        return false;
    return settings.Write(settings::HotKeyModifiers(strName),
                          int(ControlToRegistrationModifiers(bControlModifiers)));
}

HotKeyBinding LoadHotKey(CSettingsStore& settings, const QString& strName)
{
    HotKeyBinding b;
    b.wVirtualKey = quint16(settings.Read(settings::HotKeyKey(strName)) & 0xFFFF);
    b.wModifiers = quint16(settings.Read(settings::HotKeyModifiers(strName)) & 0xFFFF);
    b.bControlModifiers = RegistrationToControlModifiers(b.wModifiers);
    return b;
}

void RegisterStoredHotKey(CHotKeyService& service, CSettingsStore& settings, const QString& strName, int nId,
                          QObject* pWnd)
{
    const HotKeyBinding b = LoadHotKey(settings, strName);
    service.UnregisterHotKey(pWnd, nId);
    if (b.wVirtualKey != 0 && !service.RegisterHotKey(pWnd, nId, b.wModifiers, b.wVirtualKey))
        qCWarning(lcHotKeys,
                  "the hot key of \"%s\" (key 0x%x, modifiers 0x%x) was refused: another program holds it, "
                  "or the desktop offers no global shortcuts",
                  qUtf8Printable(strName), b.wVirtualKey, b.wModifiers);
}

QString HotKeyActionTitle(const SHotKeyAction& action)
{
    return QCoreApplication::translate("HotKeys", action.pszTitle);
}

void DescribeHotKeyActions(CHotKeyService& service)
{
    for (const SHotKeyAction& action : kHotKeyActions)
        service.SetHotKeyDescription(action.nId, HotKeyActionTitle(action));
}

void RegisterAllHotKeys(CHotKeyService& service, CSettingsStore& settings, QObject* pWnd)
{
    DescribeHotKeyActions(service);
    for (const SHotKeyAction& action : kHotKeyActions)
        RegisterStoredHotKey(service, settings, QString::fromLatin1(action.pszName), action.nId, pWnd);
}

void UnregisterAllHotKeys(CHotKeyService& service, QObject* pWnd)
{
    for (const SHotKeyAction& action : kHotKeyActions)
        service.UnregisterHotKey(pWnd, action.nId);
}
