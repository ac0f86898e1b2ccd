// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "playback/PlaybackEngine.h"

void CPlaybackEngine::RemoveUser()
{
    if (m_nUsers > 0 && --m_nUsers == 0)
        Unload();
}

void CPlaybackEngine::SetStatus(const QString& strStatus, EPlayerState state, bool bPlaying)
{
    m_bPlaying = bPlaying;
    if (strStatus == m_strStatus && state == m_state)
        return;
    m_strStatus = strStatus;
    const bool bStateChanged = state != m_state;
    m_state = state;
    emit StatusChanged(m_strStatus, m_state);
    if (bStateChanged)
        emit StateChanged(m_state);
}

void CPlaybackEngine::SetTitle(const QString& strTitle)
{
    if (strTitle == m_strTitle)
        return;
    m_strTitle = strTitle;
    emit TitleChanged(m_strTitle);
}

void CPlaybackEngine::SetPicture(bool bShown)
{
    if (bShown == m_bPicture)
        return;
    m_bPicture = bShown;
    emit PictureChanged(m_bPicture);
}

void CPlaybackEngine::SetPictureTrack(bool bFound)
{
    const bool bNew = bFound && !m_bPictureTrack;
    m_bPictureTrack = bFound;
    if (bNew)
        emit PictureTrackFound();
}

void CPlaybackEngine::SetPosition(double dPosition, double dDuration)
{
    m_dPosition = dPosition;
    m_dDuration = dDuration;
    emit PositionChanged(m_dPosition, m_dDuration);
}

void CPlaybackEngine::SetSeekable(bool bSeekable)
{
    m_bSeekable = bSeekable;
    emit SeekableChanged(m_bSeekable);
}

void CPlaybackEngine::SetRecordFileValue(const QString& strPath)
{
    if (strPath == m_strRecordFile)
        return;
    m_strRecordFile = strPath;
    emit RecordFileChanged(m_strRecordFile);
}

void CPlaybackEngine::SetPaused(bool bPaused)
{
    if (bPaused == m_bPaused)
        return;
    m_bPaused = bPaused;
    emit PausedChanged(m_bPaused);
}

void CPlaybackEngine::SetBuffer(const SListenBuffer& buffer)
{
    if (buffer == m_buffer)
        return;
    m_buffer = buffer;
    emit BufferChanged(m_buffer);
}
