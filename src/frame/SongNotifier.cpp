// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/SongNotifier.h"

#include "base/DesktopEntry.h"
#include "base/SettingsStore.h"
#include "context/CommandActions.h"
#include "playback/NowPlaying.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace
{
constexpr int kServerDecidesTimeout = -1;
constexpr QLatin1String kService("org.freedesktop.Notifications");
constexpr QLatin1String kPath("/org/freedesktop/Notifications");
} // namespace

CSongNotifier::CSongNotifier(CNowPlaying* pNowPlaying, CSettingsStore& settings, QObject* parent)
    : QObject(parent), m_settings(settings)
{
    connect(pNowPlaying, &CNowPlaying::SongChanged, this, &CSongNotifier::OnSongChanged);
}

void CSongNotifier::BindCommands(CCommandActions& actions)
{
    actions.Bind(ID_SHOW_SONG_NOTIFICATIONS, this,
                 [this, &actions]
                 {
                     Toggle();
                     actions.SetChecked(ID_SHOW_SONG_NOTIFICATIONS, IsEnabled());
                 });
    actions.SetChecked(ID_SHOW_SONG_NOTIFICATIONS, IsEnabled());
}

bool CSongNotifier::IsEnabled()
{
    // Read once, then after each toggle.
    if (m_nShow == -1)
        m_nShow = m_settings.Read(settings::kShowSongNotifications);
    return m_nShow != 0;
}

void CSongNotifier::Toggle()
{
    m_settings.Write(settings::kShowSongNotifications, IsEnabled() ? 0 : 1);
    m_nShow = -1;
}

void CSongNotifier::OnSongChanged(const QString& strChannel, const QString& strTitle)
{
    if (!IsEnabled())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // The body is markup only for a server that says it reads markup there; to one that does not,
    // an escaped "&amp;" would show as it is. Asked for every song: another server may have taken the
    // name since the last one, and a song change is rare enough.
    const QDBusMessage capabilities =
        QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("GetCapabilities"));
    auto* pWatcher = new QDBusPendingCallWatcher(bus.asyncCall(capabilities), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
            [this, strChannel, strTitle](QDBusPendingCallWatcher* pCall)
            {
                const QDBusPendingReply<QStringList> reply = *pCall;
                pCall->deleteLater();
                const bool bMarkup = reply.isValid() && reply.value().contains(QStringLiteral("body-markup"));
                Notify(strChannel, bMarkup ? strTitle.toHtmlEscaped() : strTitle);
            });
}

void CSongNotifier::Notify(const QString& strSummary, const QString& strBody)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage notify = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntryId)}};
    // The summary is plain text for every server.
    notify << QStringLiteral("Vedrix") << m_nLastId << QStringLiteral("vedrix") << strSummary << strBody
           << QStringList() << hints << kServerDecidesTimeout;
    // Never waits: a desktop without a notification server just gets an error reply later.
    auto* pWatcher = new QDBusPendingCallWatcher(bus.asyncCall(notify), this);
    connect(pWatcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* pCall)
            {
                const QDBusPendingReply<uint> reply = *pCall;
                if (reply.isValid())
                    m_nLastId = reply.value();
                pCall->deleteLater();
            });
}
