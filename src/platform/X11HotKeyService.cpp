// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/X11HotKeyService.h"

#include "platform/VirtualKeys.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include <xcb/xcb_keysyms.h>

namespace
{
constexpr UINT kModifierBits = MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN;
constexpr xcb_keysym_t kNumLockKeysym = 0xff7f; // XK_Num_Lock

struct SKeySymbolsFree
{
    void operator()(xcb_key_symbols_t* p) const { xcb_key_symbols_free(p); }
};
using KeySymbolsPtr = std::unique_ptr<xcb_key_symbols_t, SKeySymbolsFree>;

struct SMallocFree
{
    void operator()(void* p) const { std::free(p); }
};

// Alt is Mod1 and the Windows key Mod4 on every common X keymap.
uint16_t XModifierMask(UINT fsModifiers)
{
    uint16_t mask = 0;
    if (fsModifiers & MOD_ALT)
        mask |= XCB_MOD_MASK_1;
    if (fsModifiers & MOD_CONTROL)
        mask |= XCB_MOD_MASK_CONTROL;
    if (fsModifiers & MOD_SHIFT)
        mask |= XCB_MOD_MASK_SHIFT;
    if (fsModifiers & MOD_WIN)
        mask |= XCB_MOD_MASK_4;
    return mask;
}

// The keycodes that produce the keysym, each once.
std::vector<xcb_keycode_t> KeycodesOf(xcb_key_symbols_t* pSymbols, xcb_keysym_t keysym)
{
    std::vector<xcb_keycode_t> codes;
    std::unique_ptr<xcb_keycode_t, SMallocFree> list(xcb_key_symbols_get_keycode(pSymbols, keysym));
    for (const xcb_keycode_t* p = list.get(); p && *p != XCB_NO_SYMBOL; ++p)
        if (std::find(codes.begin(), codes.end(), *p) == codes.end())
            codes.push_back(*p);
    return codes;
}

// NumLock's modifier bit differs between keymaps: find the modifier that its key sets.
uint16_t FindNumLockMask(xcb_connection_t* c, xcb_key_symbols_t* pSymbols)
{
    const std::vector<xcb_keycode_t> numLockCodes = KeycodesOf(pSymbols, kNumLockKeysym);
    if (numLockCodes.empty())
        return 0;
    std::unique_ptr<xcb_get_modifier_mapping_reply_t, SMallocFree> reply(
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr));
    if (!reply)
        return 0;
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply.get());
    const int perModifier = reply->keycodes_per_modifier;
    for (int mod = 0; mod < 8; ++mod)
        for (int i = 0; i < perModifier; ++i)
        {
            const xcb_keycode_t code = codes[mod * perModifier + i];
            if (code != XCB_NO_SYMBOL &&
                std::find(numLockCodes.begin(), numLockCodes.end(), code) != numLockCodes.end())
                return uint16_t(1u << mod);
        }
    return 0;
}

} // namespace

CX11HotKeyService::CX11HotKeyService(xcb_connection_t* pConnection, xcb_window_t root)
    : m_pConnection(pConnection), m_root(root)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

CX11HotKeyService::~CX11HotKeyService()
{
    for (const SRegistration& r : m_registrations)
        Ungrab(r.grabs);
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

CX11HotKeyService* CX11HotKeyService::Create()
{
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    auto* x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* c = x11 ? x11->connection() : nullptr;
    if (!c)
        return nullptr;
    // The root of the display's default screen (":0.1" names screen 1).
    int nScreen = 0;
    char* host = nullptr;
    int nDisplay = 0;
    if (xcb_parse_display(nullptr, &host, &nDisplay, &nScreen))
        std::free(host);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < nScreen && it.rem > 1; ++i)
        xcb_screen_next(&it);
    if (!it.rem)
        return nullptr;
    return new CX11HotKeyService(c, it.data->root);
}

bool CX11HotKeyService::RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey)
{
    if (!pWnd)
        return false;
    // Like Windows: an id that the window already uses must be unregistered first.
    for (const SRegistration& r : m_registrations)
        if (r.pWnd == pWnd && r.nId == nId)
            return false;
    const xcb_keysym_t keysym = nVirtualKey <= 0xFFFF ? KeysymFromVirtualKey(nVirtualKey) : 0;
    if (!keysym)
        return false;

    KeySymbolsPtr symbols(xcb_key_symbols_alloc(m_pConnection));
    if (!symbols)
        return false;
    const std::vector<xcb_keycode_t> keycodes = KeycodesOf(symbols.get(), keysym);
    if (keycodes.empty())
        return false;

    // A passive grab matches the exact modifier state, so the combination is grabbed once more for
    // each state of CapsLock and NumLock.
    const uint16_t mask = XModifierMask(fsModifiers);
    std::vector<uint16_t> variants = {mask, uint16_t(mask | XCB_MOD_MASK_LOCK)};
    const uint16_t numLock = FindNumLockMask(m_pConnection, symbols.get());
    if (numLock && !(mask & numLock))
    {
        variants.push_back(uint16_t(mask | numLock));
        variants.push_back(uint16_t(mask | numLock | XCB_MOD_MASK_LOCK));
    }

    SRegistration reg{pWnd, nId, fsModifiers, nVirtualKey, {}, false};
    for (xcb_keycode_t code : keycodes)
        for (uint16_t variant : variants)
            reg.grabs.push_back({code, variant});
    // X lets a client grab again what it holds already, so our own registrations are checked here.
    for (const SKeyGrab& g : reg.grabs)
        if (HoldsGrab(g))
            return false;

    std::vector<xcb_void_cookie_t> cookies;
    for (const SKeyGrab& g : reg.grabs)
        cookies.push_back(xcb_grab_key_checked(m_pConnection, 0, m_root, g.mask, g.keycode, XCB_GRAB_MODE_ASYNC,
                                               XCB_GRAB_MODE_ASYNC));
    std::vector<SKeyGrab> made;
    bool bRefused = false;
    for (size_t i = 0; i < cookies.size(); ++i)
    {
        // BadAccess: another client holds this combination.
        if (xcb_generic_error_t* error = xcb_request_check(m_pConnection, cookies[i]))
        {
            std::free(error);
            bRefused = true;
        }
        else
        {
            made.push_back(reg.grabs[i]);
        }
    }
    if (bRefused)
    {
        Ungrab(made);
        return false;
    }

    connect(pWnd, &QObject::destroyed, this, &CX11HotKeyService::OnWindowDestroyed, Qt::UniqueConnection);
    m_registrations.push_back(std::move(reg));
    return true;
}

bool CX11HotKeyService::UnregisterHotKey(QObject* pWnd, int nId)
{
    for (auto it = m_registrations.begin(); it != m_registrations.end(); ++it)
        if (it->pWnd == pWnd && it->nId == nId)
        {
            Ungrab(it->grabs);
            m_registrations.erase(it);
            return true;
        }
    return false;
}

void CX11HotKeyService::OnWindowDestroyed(QObject* pWnd)
{
    // Only the address is used: the window is already gone.
    auto it = std::remove_if(m_registrations.begin(), m_registrations.end(), [&](const SRegistration& r) {
        if (r.pWnd != pWnd)
            return false;
        Ungrab(r.grabs);
        return true;
    });
    m_registrations.erase(it, m_registrations.end());
}

bool CX11HotKeyService::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    auto* event = static_cast<xcb_generic_event_t*>(message);
    const uint8_t type = event->response_type & ~0x80;
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
        return false;
    auto* key = reinterpret_cast<xcb_key_press_event_t*>(event);
    // Our grabs report on the root window; keys for the program's own windows go on to Qt.
    if (key->event != m_root)
        return false;
    return HandleKey(type == XCB_KEY_PRESS, key->detail, key->state);
}

bool CX11HotKeyService::HandleKey(bool bPress, xcb_keycode_t keycode, uint16_t state)
{
    if (!bPress)
    {
        // Matched by key alone: the modifiers may have been let go first.
        bool bOurs = false;
        for (SRegistration& r : m_registrations)
            for (const SKeyGrab& g : r.grabs)
                if (g.keycode == keycode)
                {
                    r.bDown = false;
                    bOurs = true;
                }
        return bOurs;
    }
    // The core modifiers only: the higher bits hold mouse buttons and the keyboard group.
    const uint16_t modifiers = state & 0xFF;
    for (SRegistration& r : m_registrations)
        for (const SKeyGrab& g : r.grabs)
            if (g.keycode == keycode && g.mask == modifiers)
            {
                // A held key repeats its press without a release in between.
                if (!r.bDown)
                {
                    r.bDown = true;
                    emit HotKeyPressed(r.pWnd, r.nId, r.fsModifiers & kModifierBits, r.nVirtualKey & 0xFFFF);
                }
                return true;
            }
    return false;
}

bool CX11HotKeyService::HoldsGrab(const SKeyGrab& grab) const
{
    for (const SRegistration& r : m_registrations)
        for (const SKeyGrab& g : r.grabs)
            if (g.keycode == grab.keycode && g.mask == grab.mask)
                return true;
    return false;
}

void CX11HotKeyService::Ungrab(const std::vector<SKeyGrab>& grabs)
{
    for (const SKeyGrab& g : grabs)
        xcb_ungrab_key(m_pConnection, g.keycode, m_root, g.mask);
    // A round trip, not just a flush: once this returns the server has released the keys, so another
    // client (or a registration of ours right after) can take them at once.
    free(xcb_get_input_focus_reply(m_pConnection, xcb_get_input_focus(m_pConnection), nullptr));
}
