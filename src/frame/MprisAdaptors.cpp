// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frame/MprisAdaptors.h"

#include "base/DesktopEntry.h"
#include "base/StringTable.h"
#include "frame/MprisService.h"

#include <QDBusError>

using EAction = CNowPlaying::EAction;

CMprisRootAdaptor::CMprisRootAdaptor(CMprisService* pService)
    : QDBusAbstractAdaptor(pService), m_pService(pService)
{
}

QString CMprisRootAdaptor::Identity() const
{
    return AppTitle();
}

QString CMprisRootAdaptor::DesktopEntry() const
{
    return QString::fromLatin1(kDesktopEntryId);
}

void CMprisRootAdaptor::Raise()
{
    m_pService->Raise();
}

void CMprisRootAdaptor::Quit()
{
    m_pService->Quit();
}

CMprisPlayerAdaptor::CMprisPlayerAdaptor(CMprisService* pService)
    : QDBusAbstractAdaptor(pService), m_pService(pService)
{
}

QString CMprisPlayerAdaptor::PlaybackStatus() const
{
    return m_pService->NowPlaying()->PlaybackStatus();
}

QVariantMap CMprisPlayerAdaptor::Metadata() const
{
    return CMprisService::BusMetadata(m_pService->NowPlaying()->Metadata());
}

double CMprisPlayerAdaptor::Volume() const
{
    return m_pService->NowPlaying()->Volume();
}

void CMprisPlayerAdaptor::SetVolume(double dVolume)
{
    m_pService->NowPlaying()->RequestVolume(dVolume);
}

bool CMprisPlayerAdaptor::CanControlPlayer() const
{
    return m_pService->NowPlaying()->IsPlayerPresent();
}

void CMprisPlayerAdaptor::Play()
{
    m_pService->Act(EAction::Play);
}

void CMprisPlayerAdaptor::Pause()
{
    m_pService->Act(EAction::Pause);
}

void CMprisPlayerAdaptor::PlayPause()
{
    m_pService->Act(EAction::PlayPause);
}

void CMprisPlayerAdaptor::Stop()
{
    m_pService->Act(EAction::Stop);
}

void CMprisPlayerAdaptor::Next()
{
    m_pService->Act(EAction::Next);
}

void CMprisPlayerAdaptor::Previous()
{
    m_pService->Act(EAction::Previous);
}

qlonglong CMprisPlayerAdaptor::Position() const
{
    return m_pService->NowPlaying()->PositionMicroseconds();
}

bool CMprisPlayerAdaptor::CanSeek() const
{
    return CanControlPlayer() && m_pService->NowPlaying()->IsBuffered();
}

// Without a rewind buffer (CanSeek false) neither does anything, as the interface asks.
void CMprisPlayerAdaptor::Seek(qlonglong nOffset)
{
    if (CanSeek())
        m_pService->NowPlaying()->RequestSeek(nOffset / 1e6);
}

void CMprisPlayerAdaptor::SetPosition(const QDBusObjectPath& trackId, qlonglong nPosition)
{
    if (CanSeek())
        m_pService->NowPlaying()->RequestPosition(trackId.path(), nPosition / 1e6);
}

void CMprisPlayerAdaptor::OpenUri(const QString&)
{
    if (calledFromDBus())
        sendErrorReply(QDBusError::NotSupported,
                       QStringLiteral("Channels are chosen from the channel list."));
}
