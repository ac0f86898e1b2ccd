// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// System-wide hot keys where the program may not grab keys itself (Wayland): the desktop portal's
// GlobalShortcuts. One session holds every registration; each change binds the whole set again, and
// the portal's Activated signal becomes HotKeyPressed for the registering window.
//
// The portal answers asynchronously and may let the user choose other keys, so RegisterHotKey can
// only refuse what is known at once: a key without a name in the shortcut format, a combination
// this program holds already, or an id the window uses already.
#include "platform/HotKeyService.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <vector>

class QDBusPendingCallWatcher;
class QTimer;

class CPortalHotKeyService : public CHotKeyService, protected QDBusContext
{
    Q_OBJECT
public:
    explicit CPortalHotKeyService(const QDBusConnection& bus);
    ~CPortalHotKeyService() override;
    // The service when the session bus has a portal with GlobalShortcuts, else null.
    static CPortalHotKeyService* Create();
    static bool IsPortalAvailable(const QDBusConnection& bus);

    bool RegisterHotKey(QObject* pWnd, int nId, UINT fsModifiers, UINT nVirtualKey) override;
    bool UnregisterHotKey(QObject* pWnd, int nId) override;

    // The combination in the portal's trigger format ("CTRL+ALT+p"); empty for a key it cannot name.
    static QString TriggerFor(UINT fsModifiers, UINT nVirtualKey);

signals:
    // The portal has answered a binding of the registrations (bBound false: it refused them).
    void BindingAnswered(bool bBound);

private slots:
    void OnSessionCreated(uint nResponse, const QVariantMap& results);
    void OnBindAnswered(uint nResponse, const QVariantMap& results);
    // Activated(o session_handle, s shortcut_id, t timestamp, a{sv} options).
    void OnActivated(const QDBusMessage& signal);
    void OnWindowDestroyed(QObject* pWnd);

private:
    struct SRegistration
    {
        QObject* pWnd;
        int nId;
        UINT fsModifiers;
        UINT nVirtualKey;
        QString strShortcut; // the id the portal knows it by
        QString strTrigger;
    };

    void CreateSession();
    void BindAll();
    // Calls a portal method that answers through a Request object, whose Response goes to pszSlot.
    void CallWithRequest(const QString& strMethod, QList<QVariant> arguments, const char* pszSlot);
    QString RequestPath(const QString& strToken) const;
    QString NextToken();
    // A Request answers once: stop listening to the one that has just answered.
    void ForgetAnsweredRequest(const char* pszSlot);

    QDBusConnection m_bus;
    std::vector<SRegistration> m_registrations;
    QString m_strSession; // empty until the portal has made it
    QTimer* m_pBindTimer; // joins the registrations of one update into one binding
    int m_nTokens = 0;
};
