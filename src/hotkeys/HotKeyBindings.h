// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The four playback actions that can have a system-wide hot key, how a binding is stored, and its
// registration on a window. A binding lives only in the settings store ("<name> Key" and
// "<name> Mod" in the Settings section): nothing is cached.
#include "platform/HotKeyService.h"

#include <QString>
#include <array>

class CSettingsStore;

// Modifier bits of the key-entry control (CHotKeyCtrl). HOTKEYF_EXT marks an extended key.
constexpr quint8 HOTKEYF_SHIFT = 0x01;
constexpr quint8 HOTKEYF_CONTROL = 0x02;
constexpr quint8 HOTKEYF_ALT = 0x04;
constexpr quint8 HOTKEYF_EXT = 0x08;

struct SHotKeyAction
{
    const char* pszName;  // forms the stored value names
    int nId;              // hot key id on the registering window
    UINT nCommand;        // command that the player's page runs for the hot key
    int nControlId;       // the action's key-entry control on the settings form
    const char* pszTitle; // what the user is shown for it (translated in the context "HotKeys")
};

// In the order of every loop over the actions.
inline constexpr std::array<SHotKeyAction, 4> kHotKeyActions = {{
    {"Play", 1, 319, 1010, QT_TRANSLATE_NOOP("HotKeys", "Play")},
    {"Play Next", 2, 320, 1011, QT_TRANSLATE_NOOP("HotKeys", "Play Next Channel")},
    {"Play Prev", 3, 321, 1012, QT_TRANSLATE_NOOP("HotKeys", "Play Previous Channel")},
    {"Stop", 4, 317, 1013, QT_TRANSLATE_NOOP("HotKeys", "Stop")},
}};

// The action with this hot key id, or null.
const SHotKeyAction* FindHotKeyAction(int nId);
// The action's name in the user's language.
QString HotKeyActionTitle(const SHotKeyAction& action);
// Tells the service the actions' names, for desktops that list the program's hot keys.
void DescribeHotKeyActions(CHotKeyService& service);

struct HotKeyBinding
{
    quint16 wVirtualKey = 0;      // Windows virtual-key code; 0 = no hot key
    quint16 wModifiers = 0;       // MOD_* bits, as stored and registered
    quint8 bControlModifiers = 0; // HOTKEYF_* bits, as the key-entry control shows them
};

// Between the control's HOTKEYF_* bits and the registration's MOD_* bits; only the four bits of
// each encoding take part.
quint16 ControlToRegistrationModifiers(quint8 bControlModifiers);
quint8 RegistrationToControlModifiers(quint16 wModifiers);

// Stores the key, then the modifiers (in the registration encoding). False when a write fails; the
// modifiers are not written when the key could not be.
bool SaveHotKey(CSettingsStore& settings, const QString& strName, quint16 wVirtualKey,
                quint8 bControlModifiers);
// The stored binding; missing values read as 0.
HotKeyBinding LoadHotKey(CSettingsStore& settings, const QString& strName);

// Drops the window's registration of nId, then registers the stored binding if it has a key. A
// refusal is silent: the action then has no hot key.
void RegisterStoredHotKey(CHotKeyService& service, CSettingsStore& settings, const QString& strName, int nId,
                          QObject* pWnd);
// DescribeHotKeyActions, then RegisterStoredHotKey for every action, in id order.
void RegisterAllHotKeys(CHotKeyService& service, CSettingsStore& settings, QObject* pWnd);
// Unregisters ids 1 to 4 of the window, in this order.
void UnregisterAllHotKeys(CHotKeyService& service, QObject* pWnd);
