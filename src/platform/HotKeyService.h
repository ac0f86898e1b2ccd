#pragma once
// System-wide hot keys. RegisterHotKey refuses a combination that another client or this process
// already holds; WM_HOTKEY with the id is posted to the registering window; a window's
// registrations end when it is destroyed. The application keeps the service of the running session
// (xcb passive grabs under X11, the desktop portal's global shortcuts elsewhere); without one every
// registration is refused.
#include "platform/Messages.h"

#include <QObject>

// Registration modifiers (as stored): MOD_ALT 0x1, MOD_CONTROL 0x2, MOD_SHIFT 0x4, MOD_WIN 0x8.
constexpr UINT MOD_ALT = 0x0001;
constexpr UINT MOD_CONTROL = 0x0002;
constexpr UINT MOD_SHIFT = 0x0004;
constexpr UINT MOD_WIN = 0x0008;

class CHotKeyService
{
public:
    virtual ~CHotKeyService() = default;
    virtual bool RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey) = 0;
    virtual bool UnregisterHotKey(QObject* pWnd, int nId) = 0;
    // False where the session offers no way at all to register a hot key.
    virtual bool IsAvailable() const { return true; }
};

// Refuses every registration: the service where the session offers none.
class CRefusingHotKeyService : public CHotKeyService
{
public:
    bool RegisterHotKey(QObject*, int, UINT, UINT) override { return false; }
    bool UnregisterHotKey(QObject*, int) override { return false; }
    bool IsAvailable() const override { return false; }
};
