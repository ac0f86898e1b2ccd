// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// System-wide hot keys on X11: a passive key grab on the root window for each combination, made
// on Qt's own xcb connection so that the key presses arrive through Qt's event stream.
#include "platform/HotKeyService.h"

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <vector>

#include <xcb/xcb.h>

class CX11HotKeyService : public CHotKeyService, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    CX11HotKeyService(xcb_connection_t* pConnection, xcb_window_t root);
    ~CX11HotKeyService() override;
    // The service for the application's X connection; null when the application does not run on xcb.
    static CX11HotKeyService* Create();

    bool RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey) override;
    bool UnregisterHotKey(QObject* pWnd, int nId) override;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

private slots:
    void OnWindowDestroyed(QObject* pWnd);

private:
    struct SKeyGrab
    {
        xcb_keycode_t keycode;
        uint16_t mask;
    };
    struct SRegistration
    {
        QObject* pWnd;
        int nId;
        UINT fsModifiers;
        UINT nVirtualKey;
        std::vector<SKeyGrab> grabs;  // every keycode of the key, with and without the lock keys
        bool bDown = false;           // pressed and not yet released: later presses are key repeat
    };

    void Ungrab(const std::vector<SKeyGrab>& grabs);
    bool HoldsGrab(const SKeyGrab& grab) const;
    bool HandleKey(bool bPress, xcb_keycode_t keycode, uint16_t state);

    xcb_connection_t* m_pConnection;
    xcb_window_t m_root;
    std::vector<SRegistration> m_registrations;
};
