#include "frame/SongNotifier.h"

#include "app/DesktopEntry.h"
#include "app/Settings.h"
#include "player/NowPlaying.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace
{
constexpr int kServerDecidesTimeout = -1;
}

CSongNotifier::CSongNotifier(CNowPlaying* pNowPlaying, QObject* parent) : QObject(parent)
{
    connect(pNowPlaying, &CNowPlaying::SongChanged, this, &CSongNotifier::OnSongChanged);
}

void CSongNotifier::AddCommands(CCommandMap& commandMap)
{
    commandMap.On(ID_SHOW_SONG_NOTIFICATIONS, [this] { Toggle(); });
    commandMap.OnUpdate(ID_SHOW_SONG_NOTIFICATIONS,
                        [this](CCmdUI* pCmdUI)
                        {
                            pCmdUI->Enable(true);
                            pCmdUI->SetCheck(IsEnabled() ? 1 : 0);
                        });
}

bool CSongNotifier::IsEnabled()
{
    // Asked at every idle moment for the check box: read once, then after each toggle.
    if (m_nShow == -1)
        m_nShow = ReadSettingInt(settings::kShowSongNotifications);
    return m_nShow != 0;
}

void CSongNotifier::Toggle()
{
    WriteSettingInt(settings::kShowSongNotifications.name, IsEnabled() ? 0 : 1);
    m_nShow = -1;
}

void CSongNotifier::OnSongChanged(const QString& strChannel, const QString& strTitle)
{
    if (!IsEnabled())
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntryId)}};
    notify << QStringLiteral("Vedrix") << m_nLastId << QStringLiteral("vedrix") << strChannel << strTitle
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
