// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/PlaybackService.h"

#include "playback/PlaybackEngine.h"

CPlaybackService::CPlaybackService(QObject* parent) : QObject(parent) {}

CPlaybackService::~CPlaybackService()
{
    // The engine's signals must not reach a service that is half gone.
    if (m_pEngine)
        disconnect(m_pEngine.get(), nullptr, this, nullptr);
}

void CPlaybackService::SetEngine(std::unique_ptr<CPlaybackEngine> pEngine)
{
    if (m_pEngine)
        disconnect(m_pEngine.get(), nullptr, this, nullptr);
    m_pEngine = std::move(pEngine);
    if (!m_pEngine)
        return;
    connect(m_pEngine.get(), &CPlaybackEngine::StatusChanged, this, &CPlaybackService::OnStatusInput);
    connect(m_pEngine.get(), &CPlaybackEngine::TitleChanged, this, &CPlaybackService::OnStatusInput);
    connect(m_pEngine.get(), &CPlaybackEngine::BufferChanged, this, &CPlaybackService::OnBufferChanged);
    OnBufferChanged();
}

void CPlaybackService::SetChannel(const CChannel& channel)
{
    m_channel = channel;
    emit ChannelChanged(m_channel);
}

void CPlaybackService::SetNote(ENote note, const QString& strNote)
{
    m_notes[size_t(note)] = strNote;
    OnStatusInput();
}

QString CPlaybackService::ClockText(double dSeconds)
{
    const qint64 nTotal = qint64(qMax(0.0, dSeconds));
    const qint64 nHours = nTotal / 3600;
    const qint64 nMinutes = nTotal / 60 % 60;
    const qint64 nSeconds = nTotal % 60;
    if (nHours > 0)
        return QStringLiteral("%1:%2:%3")
            .arg(nHours)
            .arg(nMinutes, 2, 10, QLatin1Char('0'))
            .arg(nSeconds, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(nMinutes).arg(nSeconds, 2, 10, QLatin1Char('0'));
}

QString CPlaybackService::BehindLiveNote(double dBehind)
{
    if (!(dBehind >= 1))
        return {};
    return tr("%1 behind live").arg(ClockText(dBehind));
}

void CPlaybackService::OnBufferChanged()
{
    const SListenBuffer buffer = m_pEngine->Buffer();
    const QString strNote = buffer.bActive ? BehindLiveNote(buffer.dBehind) : QString();
    // The buffer moves several times a second; the status text only when the note reads otherwise.
    if (strNote != m_notes[size_t(ENote::BehindLive)])
        SetNote(ENote::BehindLive, strNote);
}

QString CPlaybackService::StatusWithTitle(EPlayerState state, const QString& strStatus, const QString& strTitle)
{
    if (state == EPlayerState::Playing && !strTitle.isEmpty())
        return strStatus + QStringLiteral(": ") + strTitle;
    return strStatus;
}

QString CPlaybackService::StatusText() const
{
    QString strText = m_pEngine ? StatusWithTitle(m_pEngine->State(), m_pEngine->Status(), m_pEngine->Title())
                                : QString();
    for (const QString& strNote : m_notes)
        if (!strNote.isEmpty())
            strText += QStringLiteral(" | ") + strNote;
    return strText;
}

void CPlaybackService::OnStatusInput()
{
    emit StatusTextChanged(StatusText());
}
