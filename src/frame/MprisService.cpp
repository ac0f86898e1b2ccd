// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/MprisService.h"

#include "context/CommandActions.h"
#include "frame/MprisAdaptors.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>

namespace
{
constexpr uint kDoNotQueue = 4; // DBUS_NAME_FLAG_DO_NOT_QUEUE
const QString kTrackIdKey = QStringLiteral("mpris:trackid");

} // namespace

void CMprisService::PostCommand(UINT nID)
{
    m_actions.Post(nID);
}

CMprisService::CMprisService(CNowPlaying* pNowPlaying, CCommandActions& actions, QObject* parent)
    : QObject(parent), m_pNowPlaying(pNowPlaying), m_actions(actions)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    new CMprisRootAdaptor(this);
    auto* pPlayer = new CMprisPlayerAdaptor(this);
    if (!bus.registerObject(QString::fromLatin1(kObjectPath), this))
        return;
    m_bRegistered = true;
    m_lastProperties = PlayerProperties();
    connect(m_pNowPlaying, &CNowPlaying::Changed, this, &CMprisService::OnNowPlayingChanged);
    connect(m_pNowPlaying, &CNowPlaying::Seeked, pPlayer, &CMprisPlayerAdaptor::Seeked);

    // Asked for without waiting: the start must not wait on the bus. If another program holds the
    // name, the desktop simply does not see this one.
    QDBusMessage request = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("RequestName"));
    request << QString::fromLatin1(kServiceName) << kDoNotQueue;
    bus.asyncCall(request);
}

CMprisService::~CMprisService()
{
    if (m_bRegistered)
        QDBusConnection::sessionBus().unregisterObject(QString::fromLatin1(kObjectPath));
}

QVariantMap CMprisService::BusMetadata(const QVariantMap& metadata)
{
    QVariantMap bus = metadata;
    const auto it = bus.find(kTrackIdKey);
    if (it != bus.end())
        *it = QVariant::fromValue(QDBusObjectPath(it->toString()));
    return bus;
}

QVariantMap CMprisService::PlayerProperties() const
{
    const bool bCanControl = m_pNowPlaying->IsPlayerPresent();
    return {
        {QStringLiteral("PlaybackStatus"), m_pNowPlaying->PlaybackStatus()},
        {QStringLiteral("Metadata"), m_pNowPlaying->Metadata()},
        {QStringLiteral("CanGoNext"), bCanControl},
        {QStringLiteral("CanGoPrevious"), bCanControl},
        {QStringLiteral("CanPlay"), bCanControl},
        {QStringLiteral("CanPause"), bCanControl},
        {QStringLiteral("CanSeek"), bCanControl && m_pNowPlaying->IsBuffered()},
        {QStringLiteral("Volume"), m_pNowPlaying->Volume()},
    };
}

void CMprisService::OnNowPlayingChanged()
{
    const QVariantMap now = PlayerProperties();
    QVariantMap changed;
    for (auto it = now.cbegin(); it != now.cend(); ++it)
        if (m_lastProperties.value(it.key()) != it.value())
            changed.insert(it.key(), it.key() == QLatin1String("Metadata") ? BusMetadata(it->toMap()) : *it);
    m_lastProperties = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(QString::fromLatin1(kObjectPath),
                                                     QStringLiteral("org.freedesktop.DBus.Properties"),
                                                     QStringLiteral("PropertiesChanged"));
    signal << QString::fromLatin1(kPlayerInterface) << changed << QStringList();
    QDBusConnection::sessionBus().send(signal);
}

void CMprisService::Raise()
{
    // The tray's Show: restore, show and bring to the front.
    PostCommand(ID_TRAY_SHOW);
}

void CMprisService::Quit()
{
    // The tray's Exit. Posted, so the caller's answer goes out first.
    PostCommand(ID_TRAY_EXIT);
}

void CMprisService::Act(CNowPlaying::EAction action)
{
    if (const UINT nID = CNowPlaying::CommandFor(action, m_pNowPlaying->IsPlaying(),
                                                 m_pNowPlaying->IsBuffered(), m_pNowPlaying->IsPaused()))
        PostCommand(nID);
}
