// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// System-wide hot keys where the program may not grab keys itself (Wayland): the desktop portal's
// GlobalShortcuts. The portal's Activated signal becomes HotKeyPressed for the registering window.
//
// A session binds its shortcuts once: the portal refuses a second BindShortcuts (GNOME) or keeps
// what it knows for ids it has seen (KDE). So the registrations of one update are joined, and when
// they differ from what the session bound, that session is closed and a new one binds the new set.
// What the desktop then bound (the bind's answer, ShortcutsChanged when the user changes a key in
// the desktop's settings) is kept per shortcut, for AssignedTrigger.
//
// The portal answers asynchronously and may let the user choose other keys, so RegisterHotKey can
// only refuse what is known at once: a key without a name in the shortcut format, a combination
// this program holds already, or an id the window uses already.
#include "platform/HotKeyService.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVariantMap>
#include <functional>
#include <vector>

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
    void SetHotKeyDescription(int nId, const QString& strDescription) override;
    std::optional<QString> AssignedTrigger(QObject* pWnd, int nId) const override;

    // The combination in the portal's trigger format ("CTRL+ALT+p"); empty for a key it cannot name.
    static QString TriggerFor(UINT fsModifiers, UINT nVirtualKey);
    // Whether the desktop's text for a trigger ("Ctrl+Alt+P", "<Control><Alt>p") names the same
    // combination as strTrigger in the portal's format.
    static bool SameTrigger(const QString& strDescription, const QString& strTrigger);

signals:
    // The portal has answered a binding of the registrations (bBound false: it refused them).
    void BindingAnswered(bool bBound);

private slots:
    // Request::Response(u response, a{sv} results) of any call waiting for its answer.
    void OnResponse(uint nResponse, const QVariantMap& results);
    // Activated(o session_handle, s shortcut_id, t timestamp, a{sv} options).
    void OnActivated(const QDBusMessage& signal);
    // ShortcutsChanged(o session_handle, a(sa{sv}) shortcuts).
    void OnShortcutsChanged(const QDBusMessage& signal);
    // Session::Closed(a{sv} details): the desktop ended the session itself.
    void OnSessionClosed(const QDBusMessage& signal);
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
    // One shortcut as the portal is asked to bind it.
    struct SShortcut
    {
        QString strId;
        QString strTrigger;
        QString strDescription;
        bool operator==(const SShortcut&) const = default;
    };
    using FResponse = std::function<void(uint nResponse, const QVariantMap& results)>;

    void ChangesReleased() override;
    // Brings the portal in line with the registrations (the bind timer's work).
    void Update();
    std::vector<SShortcut> WantedShortcuts() const;
    void CreateSession();
    void CloseSession();
    void Bind(std::vector<SShortcut> shortcuts);
    // Takes the desktop's triggers from an a(sa{sv}) list; bAll: the list is all that is bound.
    void TakeAssignments(const QVariant& shortcuts, bool bAll);
    // Calls a portal method that answers through a Request object; onResponse gets the answer.
    void CallWithRequest(const QString& strMethod, QList<QVariant> arguments, FResponse onResponse);
    void ListenForResponse(const QString& strPath, bool bListen);
    QString RequestPath(const QString& strToken) const;
    QString NextToken();

    QDBusConnection m_bus;
    std::vector<SRegistration> m_registrations;
    QHash<int, QString> m_descriptions; // by hot key id
    QString m_strSession;               // empty until the portal has made it
    bool m_bSessionPending = false;
    bool m_bBindAnswered = false;
    std::vector<SShortcut> m_bound;      // what the session's one bind asked for; empty before it
    QHash<QString, QString> m_assigned;  // shortcut id -> the desktop's text for its trigger
    QHash<QString, FResponse> m_pending; // Request path -> what to do with its Response
    QTimer* m_pBindTimer;                // joins the registrations of one update into one binding
    int m_nTokens = 0;
};
