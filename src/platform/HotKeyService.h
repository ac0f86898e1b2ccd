// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// System-wide hot keys. RegisterHotKey refuses a combination that another client or this process
// already holds; a press is reported by HotKeyPressed with the registering window, the id, and the
// modifiers and key as registered; a window's registrations end when it is destroyed. The
// application keeps the service of the running session (xcb passive grabs under X11, the desktop
// portal's global shortcuts elsewhere); without one every registration is refused.
#include <QObject>
#include <QString>

#include <optional>

using UINT = unsigned int;

// Registration modifiers (as stored): MOD_ALT 0x1, MOD_CONTROL 0x2, MOD_SHIFT 0x4, MOD_WIN 0x8.
constexpr UINT MOD_ALT = 0x0001;
constexpr UINT MOD_CONTROL = 0x0002;
constexpr UINT MOD_SHIFT = 0x0004;
constexpr UINT MOD_WIN = 0x0008;

class CHotKeyService : public QObject
{
    Q_OBJECT
public:
    ~CHotKeyService() override = default;
    virtual bool RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey) = 0;
    virtual bool UnregisterHotKey(QObject* pWnd, int nId) = 0;
    // False where the session offers no way at all to register a hot key.
    virtual bool IsAvailable() const { return true; }
    // Names the action behind hot key id nId in the user's language, for desktops that list the
    // program's hot keys (the portal's shortcut settings); kept for later registrations of that id.
    virtual void SetHotKeyDescription(int nId, const QString& strDescription)
    {
        Q_UNUSED(nId);
        Q_UNUSED(strDescription);
    }
    // Where the desktop has bound something else than the registration asked for (it let the user
    // choose, or the user changed it in the desktop's settings since): the desktop's own text for the
    // trigger, or an empty text when the desktop bound no key for it. Nothing while the desktop binds
    // what was asked, as the X11 grabs always do.
    virtual std::optional<QString> AssignedTrigger(QObject* pWnd, int nId) const
    {
        Q_UNUSED(pWnd);
        Q_UNUSED(nId);
        return std::nullopt;
    }

    // Holds what changes of the registrations do to the desktop while windows hand their keys on
    // (one page closes and the next opens, with turns of the event loop between): what stands when
    // the last hold ends is what the desktop is asked for. Holds nest.
    void HoldChanges() { ++m_nHolds; }
    void ReleaseChanges()
    {
        if (m_nHolds > 0 && --m_nHolds == 0)
            ChangesReleased();
    }

signals:
    // A registered combination was pressed (once per press: a held key's repeats are not reported).
    // Emitted from the handling of the key event; receivers queue what they do, as a posted message
    // would run it.
    void HotKeyPressed(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey);
    // What AssignedTrigger answers may have changed for some registration.
    void AssignedTriggersChanged();

protected:
    bool AreChangesHeld() const { return m_nHolds > 0; }
    // The last hold has ended: a service that waited for it brings the desktop in line now.
    virtual void ChangesReleased() {}

private:
    int m_nHolds = 0;
};

// Refuses every registration: the service where the session offers none.
class CRefusingHotKeyService : public CHotKeyService
{
public:
    bool RegisterHotKey(QObject*, int, UINT, UINT) override { return false; }
    bool UnregisterHotKey(QObject*, int) override { return false; }
    bool IsAvailable() const override { return false; }
};
