// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Windows virtual-key codes are the stored form of a hot key's key. This table ties each code we
// know to the Qt key that a key-entry widget sees and to the X keysym that a grab needs, with the
// name the user reads and Windows' "extended key" flag.
#include <QString>
#include <QtGlobal>

struct SVirtualKey
{
    quint16 nVirtualKey;
    int nQtKey;       // what Qt reports for the key
    int nQtKeyAlias;  // also accepted: Qt's key with Shift held (US layout) or a second name; 0 = none
    quint32 nKeysym;  // the unshifted X keysym of the key
    bool bKeypad;     // on the numeric keypad: Qt reports it with Qt::KeypadModifier
    bool bExtended;   // Windows sets the extended flag for it
    const char* pszName;
};

// Codes that the program and its tests name.
constexpr quint16 VK_LEFT = 0x25;
constexpr quint16 VK_NUMPAD0 = 0x60;
constexpr quint16 VK_F1 = 0x70;
constexpr quint16 VK_VOLUME_MUTE = 0xAD;
constexpr quint16 VK_VOLUME_DOWN = 0xAE;
constexpr quint16 VK_VOLUME_UP = 0xAF;
constexpr quint16 VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr quint16 VK_MEDIA_PREV_TRACK = 0xB1;
constexpr quint16 VK_MEDIA_STOP = 0xB2;
constexpr quint16 VK_MEDIA_PLAY_PAUSE = 0xB3;

// The row of a virtual key, or null for a code without one.
const SVirtualKey* FindVirtualKey(uint nVirtualKey);

// The virtual key of a key event: its Qt key and whether Qt flagged it as a keypad key. 0 when the
// key has no virtual key. *pbExtended receives Windows' extended flag for that physical key: the
// navigation keys of the keypad (NumLock off) are not extended, the keypad's Enter is.
uint VirtualKeyFromQtKey(int nQtKey, bool bKeypad, bool* pbExtended = nullptr);

// The X keysym to grab for a virtual key (0 when unknown), and the way back (0 when unknown).
quint32 KeysymFromVirtualKey(uint nVirtualKey);
uint VirtualKeyFromKeysym(quint32 nKeysym);

// The key's name as the user reads it ("A", "F9", "Num 5", "Play/Pause"); empty when unknown.
QString VirtualKeyName(uint nVirtualKey);
