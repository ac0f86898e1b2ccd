#include "hotkeys/HotKeyBindings.h"

#include "app/Settings.h"

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

QString KeyValueName(const QString& strName)
{
    return QString::fromLatin1(settings::kHotKeyKeyFormat).arg(strName);
}

QString ModValueName(const QString& strName)
{
    return QString::fromLatin1(settings::kHotKeyModFormat).arg(strName);
}
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

bool SaveHotKey(const QString& strName, quint16 wVirtualKey, quint8 bControlModifiers)
{
    if (!WriteSettingInt(KeyValueName(strName), int(wVirtualKey)))
        return false;
    return WriteSettingInt(ModValueName(strName), int(ControlToRegistrationModifiers(bControlModifiers)));
}

HotKeyBinding LoadHotKey(const QString& strName)
{
    HotKeyBinding b;
    b.wVirtualKey = quint16(ReadSettingInt(KeyValueName(strName), 0) & 0xFFFF);
    b.wModifiers = quint16(ReadSettingInt(ModValueName(strName), 0) & 0xFFFF);
    b.bControlModifiers = RegistrationToControlModifiers(b.wModifiers);
    return b;
}

void RegisterStoredHotKey(CHotKeyService& service, const QString& strName, int nId, QObject* pWnd)
{
    const HotKeyBinding b = LoadHotKey(strName);
    service.UnregisterHotKey(pWnd, nId);
    if (b.wVirtualKey != 0)
        service.RegisterHotKey(pWnd, nId, b.wModifiers, b.wVirtualKey);
}

void RegisterAllHotKeys(CHotKeyService& service, QObject* pWnd)
{
    for (const SHotKeyAction& action : kHotKeyActions)
        RegisterStoredHotKey(service, QString::fromLatin1(action.pszName), action.nId, pWnd);
}

void UnregisterAllHotKeys(CHotKeyService& service, QObject* pWnd)
{
    for (const SHotKeyAction& action : kHotKeyActions)
        service.UnregisterHotKey(pWnd, action.nId);
}
