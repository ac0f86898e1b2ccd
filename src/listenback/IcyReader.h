// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The ICY metadata of a Shoutcast/Icecast stream taken out of its audio: after every icy-metaint
// bytes of audio the server puts one length byte (times 16) and that many bytes of metadata, such as
// StreamTitle='Artist - Song';. The reader is fed the bytes as they come, in chunks of any size, and
// hands back the audio alone and each title with the audio offset at which it arrived.
#include <QByteArray>
#include <QList>
#include <QString>

class CIcyReader
{
public:
    struct STitle
    {
        qint64 nOffset; // audio bytes before it
        QString strTitle;
    };
    // An interval the server should never send: taken as "no metadata", the bytes pass as they are.
    static constexpr qint64 kMaxMetaInt = 1024 * 1024;
    // nMetaInt from the icy-metaint header; 0, negative or absurd: no metadata in the stream.
    explicit CIcyReader(qint64 nMetaInt);
    bool HasMetadata() const { return m_nMetaInt > 0; }
    // Appends the audio of [pData, pData + nSize) to audio and the titles it finished to titles.
    void Feed(const char* pData, qint64 nSize, QByteArray& audio, QList<STitle>& titles);
    qint64 AudioBytes() const { return m_nAudio; }

    // The title in a metadata block (its StreamTitle); false when the block names none.
    static bool ParseTitle(const QByteArray& block, QString& strTitle);
    // Text from a server as a title: UTF-8, or Latin-1 when it is not valid UTF-8; no control
    // characters, no runs of blanks.
    static QString CleanTitle(const QByteArray& raw);

private:
    enum class EState
    {
        Audio,
        Length,
        Block,
    };
    qint64 m_nMetaInt;
    EState m_state = EState::Audio;
    qint64 m_nLeft; // audio bytes until the next length byte, or block bytes still to come
    qint64 m_nAudio = 0;
    QByteArray m_block; // the metadata block being gathered (at most 255 * 16 bytes)
};
