// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/VirtualKeys.h"

// Only the keysym numbers are taken from these headers; nothing is linked.
#define XK_MISCELLANY
#define XK_LATIN1
#include <X11/XF86keysym.h>
#include <X11/keysym.h>

#include <vector>

namespace
{
constexpr bool kKeypad = true;
constexpr bool kExtended = true;

std::vector<SVirtualKey> BuildTable()
{
    std::vector<SVirtualKey> t = {
        {0x08, Qt::Key_Backspace, 0, XK_BackSpace, false, false, "Backspace"},
        {0x09, Qt::Key_Tab, Qt::Key_Backtab, XK_Tab, false, false, "Tab"},
        // Keypad 5 with NumLock off.
        {0x0C, Qt::Key_Clear, 0, XK_KP_Begin, kKeypad, false, "Clear"},
        // The keypad's Enter is the same code with the extended flag.
        {0x0D, Qt::Key_Return, Qt::Key_Enter, XK_Return, false, false, "Enter"},
        {0x13, Qt::Key_Pause, 0, XK_Pause, false, false, "Pause"},
        {0x14, Qt::Key_CapsLock, 0, XK_Caps_Lock, false, false, "Caps Lock"},
        {0x1B, Qt::Key_Escape, 0, XK_Escape, false, false, "Esc"},
        {0x20, Qt::Key_Space, 0, XK_space, false, false, "Space"},
        // The cursor block is extended; the same codes from the keypad (NumLock off) are not.
        {0x21, Qt::Key_PageUp, 0, XK_Prior, false, kExtended, "Page Up"},
        {0x22, Qt::Key_PageDown, 0, XK_Next, false, kExtended, "Page Down"},
        {0x23, Qt::Key_End, 0, XK_End, false, kExtended, "End"},
        {0x24, Qt::Key_Home, 0, XK_Home, false, kExtended, "Home"},
        {0x25, Qt::Key_Left, 0, XK_Left, false, kExtended, "Left"},
        {0x26, Qt::Key_Up, 0, XK_Up, false, kExtended, "Up"},
        {0x27, Qt::Key_Right, 0, XK_Right, false, kExtended, "Right"},
        {0x28, Qt::Key_Down, 0, XK_Down, false, kExtended, "Down"},
        {0x2C, Qt::Key_Print, 0, XK_Print, false, kExtended, "Print Screen"},
        {0x2D, Qt::Key_Insert, 0, XK_Insert, false, kExtended, "Insert"},
        {0x2E, Qt::Key_Delete, 0, XK_Delete, false, kExtended, "Delete"},
        {0x2F, Qt::Key_Help, 0, XK_Help, false, false, "Help"},
    };

    // Digits: the alias is what Qt reports with Shift held on a US layout.
    static const int shiftedDigits[10] = {Qt::Key_ParenRight, Qt::Key_Exclam,     Qt::Key_At,
                                          Qt::Key_NumberSign, Qt::Key_Dollar,     Qt::Key_Percent,
                                          Qt::Key_AsciiCircum, Qt::Key_Ampersand, Qt::Key_Asterisk,
                                          Qt::Key_ParenLeft};
    static const char* const digitNames[10] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int i = 0; i < 10; ++i)
        t.push_back({quint16(0x30 + i), Qt::Key_0 + i, shiftedDigits[i], quint32(XK_0 + i), false, false,
                     digitNames[i]});

    static const char* const letterNames[26] = {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
                                                "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z"};
    for (int i = 0; i < 26; ++i)
        t.push_back({quint16(0x41 + i), Qt::Key_A + i, 0, quint32(XK_a + i), false, false, letterNames[i]});

    const std::vector<SVirtualKey> rest = {
        {0x5B, Qt::Key_Super_L, 0, XK_Super_L, false, kExtended, "Left Windows"},
        {0x5C, Qt::Key_Super_R, 0, XK_Super_R, false, kExtended, "Right Windows"},
        {0x5D, Qt::Key_Menu, 0, XK_Menu, false, kExtended, "Application"},
        {0x5F, Qt::Key_Sleep, 0, XF86XK_Sleep, false, false, "Sleep"},
        {0x6A, Qt::Key_Asterisk, 0, XK_KP_Multiply, kKeypad, false, "Num *"},
        {0x6B, Qt::Key_Plus, 0, XK_KP_Add, kKeypad, false, "Num +"},
        {0x6D, Qt::Key_Minus, 0, XK_KP_Subtract, kKeypad, false, "Num -"},
        // Some layouts give the keypad's decimal key a comma.
        {0x6E, Qt::Key_Period, Qt::Key_Comma, XK_KP_Decimal, kKeypad, false, "Num ."},
        {0x6F, Qt::Key_Slash, 0, XK_KP_Divide, kKeypad, kExtended, "Num /"},
        {0x90, Qt::Key_NumLock, 0, XK_Num_Lock, false, kExtended, "Num Lock"},
        {0x91, Qt::Key_ScrollLock, 0, XK_Scroll_Lock, false, false, "Scroll Lock"},
        {0xA0, Qt::Key_Shift, 0, XK_Shift_L, false, false, "Shift"},
        {0xA1, 0, 0, XK_Shift_R, false, false, "Right Shift"},
        {0xA2, Qt::Key_Control, 0, XK_Control_L, false, false, "Ctrl"},
        {0xA3, 0, 0, XK_Control_R, false, kExtended, "Right Ctrl"},
        {0xA4, Qt::Key_Alt, 0, XK_Alt_L, false, false, "Alt"},
        {0xA5, 0, 0, XK_Alt_R, false, kExtended, "Right Alt"},
        {0xA6, Qt::Key_Back, 0, XF86XK_Back, false, false, "Browser Back"},
        {0xA7, Qt::Key_Forward, 0, XF86XK_Forward, false, false, "Browser Forward"},
        {0xA8, Qt::Key_Refresh, 0, XF86XK_Refresh, false, false, "Browser Refresh"},
        {0xA9, Qt::Key_Stop, 0, XF86XK_Stop, false, false, "Browser Stop"},
        {0xAA, Qt::Key_Search, 0, XF86XK_Search, false, false, "Browser Search"},
        {0xAB, Qt::Key_Favorites, 0, XF86XK_Favorites, false, false, "Browser Favorites"},
        {0xAC, Qt::Key_HomePage, 0, XF86XK_HomePage, false, false, "Browser Home"},
        // The media keys are extended keys to Windows too, but flagging them would store them with
        // the Windows-key modifier and a plain press of the key would no longer reach us.
        {0xAD, Qt::Key_VolumeMute, 0, XF86XK_AudioMute, false, false, "Mute"},
        {0xAE, Qt::Key_VolumeDown, 0, XF86XK_AudioLowerVolume, false, false, "Volume Down"},
        {0xAF, Qt::Key_VolumeUp, 0, XF86XK_AudioRaiseVolume, false, false, "Volume Up"},
        {0xB0, Qt::Key_MediaNext, 0, XF86XK_AudioNext, false, false, "Next Track"},
        {0xB1, Qt::Key_MediaPrevious, 0, XF86XK_AudioPrev, false, false, "Previous Track"},
        {0xB2, Qt::Key_MediaStop, 0, XF86XK_AudioStop, false, false, "Stop Media"},
        {0xB3, Qt::Key_MediaPlay, Qt::Key_MediaTogglePlayPause, XF86XK_AudioPlay, false, false, "Play/Pause"},
        {0xB4, Qt::Key_LaunchMail, 0, XF86XK_Mail, false, false, "Mail"},
        {0xB5, Qt::Key_LaunchMedia, 0, XF86XK_AudioMedia, false, false, "Media"},
        {0xB6, Qt::Key_Launch0, 0, XF86XK_MyComputer, false, false, "App 1"},
        {0xB7, Qt::Key_Launch1, 0, XF86XK_Calculator, false, false, "App 2"},
        // Punctuation, named and shifted as on a US layout.
        {0xBA, Qt::Key_Semicolon, Qt::Key_Colon, XK_semicolon, false, false, ";"},
        {0xBB, Qt::Key_Equal, Qt::Key_Plus, XK_equal, false, false, "="},
        {0xBC, Qt::Key_Comma, Qt::Key_Less, XK_comma, false, false, ","},
        {0xBD, Qt::Key_Minus, Qt::Key_Underscore, XK_minus, false, false, "-"},
        {0xBE, Qt::Key_Period, Qt::Key_Greater, XK_period, false, false, "."},
        {0xBF, Qt::Key_Slash, Qt::Key_Question, XK_slash, false, false, "/"},
        {0xC0, Qt::Key_QuoteLeft, Qt::Key_AsciiTilde, XK_grave, false, false, "`"},
        {0xDB, Qt::Key_BracketLeft, Qt::Key_BraceLeft, XK_bracketleft, false, false, "["},
        {0xDC, Qt::Key_Backslash, Qt::Key_Bar, XK_backslash, false, false, "\\"},
        {0xDD, Qt::Key_BracketRight, Qt::Key_BraceRight, XK_bracketright, false, false, "]"},
        {0xDE, Qt::Key_Apostrophe, Qt::Key_QuoteDbl, XK_apostrophe, false, false, "'"},
    };

    static const char* const numpadNames[10] = {"Num 0", "Num 1", "Num 2", "Num 3", "Num 4",
                                                "Num 5", "Num 6", "Num 7", "Num 8", "Num 9"};
    for (int i = 0; i < 10; ++i)
        t.push_back({quint16(0x60 + i), Qt::Key_0 + i, 0, quint32(XK_KP_0 + i), kKeypad, false, numpadNames[i]});

    static const char* const functionNames[24] = {"F1",  "F2",  "F3",  "F4",  "F5",  "F6",  "F7",  "F8",
                                                  "F9",  "F10", "F11", "F12", "F13", "F14", "F15", "F16",
                                                  "F17", "F18", "F19", "F20", "F21", "F22", "F23", "F24"};
    for (int i = 0; i < 24; ++i)
        t.push_back({quint16(0x70 + i), Qt::Key_F1 + i, 0, quint32(XK_F1 + i), false, false, functionNames[i]});

    t.insert(t.end(), rest.begin(), rest.end());
    return t;
}

const std::vector<SVirtualKey>& Table()
{
    static const std::vector<SVirtualKey> table = BuildTable();
    return table;
}

// The first row for the Qt key among the rows on (or off) the keypad; its own key before aliases,
// so that Shift+8 ('*') never hides the keypad's '*' and the other way round.
const SVirtualKey* FindQtKey(int nQtKey, bool bKeypad)
{
    for (const SVirtualKey& k : Table())
        if (k.bKeypad == bKeypad && k.nQtKey == nQtKey)
            return &k;
    for (const SVirtualKey& k : Table())
        if (k.bKeypad == bKeypad && k.nQtKeyAlias == nQtKey)
            return &k;
    return nullptr;
}
} // namespace

const SVirtualKey* FindVirtualKey(uint nVirtualKey)
{
    for (const SVirtualKey& k : Table())
        if (k.nVirtualKey == nVirtualKey)
            return &k;
    return nullptr;
}

uint VirtualKeyFromQtKey(int nQtKey, bool bKeypad, bool* pbExtended)
{
    if (pbExtended)
        *pbExtended = false;
    if (nQtKey == 0)
        return 0;
    const SVirtualKey* k = FindQtKey(nQtKey, bKeypad);
    bool bExtended = k && k->bExtended;
    if (!k)
    {
        // A keypad key that doubles as another key (Home, Enter, ...): its flag is the opposite of
        // the other key's.
        k = FindQtKey(nQtKey, !bKeypad);
        if (k)
            bExtended = bKeypad ? !k->bExtended : k->bExtended;
    }
    if (pbExtended)
        *pbExtended = k && bExtended;
    return k ? k->nVirtualKey : 0;
}

quint32 KeysymFromVirtualKey(uint nVirtualKey)
{
    const SVirtualKey* k = FindVirtualKey(nVirtualKey);
    return k ? k->nKeysym : 0;
}

uint VirtualKeyFromKeysym(quint32 nKeysym)
{
    if (nKeysym == 0)
        return 0;
    for (const SVirtualKey& k : Table())
        if (k.nKeysym == nKeysym)
            return k.nVirtualKey;
    return 0;
}

QString VirtualKeyName(uint nVirtualKey)
{
    const SVirtualKey* k = FindVirtualKey(nVirtualKey);
    return k ? QString::fromLatin1(k->pszName) : QString();
}
