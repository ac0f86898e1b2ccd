// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The songs heard: every title that a stream sends, with its channel and the time it came, the last
// 1000 of them. Kept in a file of the data folder, one JSON object a line, rewritten whole (and
// atomically) a moment after a new song, so that a crash or a full disk leaves the old file or the
// new one, never half of it. Songs that come in a burst (a user going through the channels) are
// written once, and what is not written yet is written when the history goes or the program quits.
// A damaged file gives what can still be read: each line stands alone.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

class CSongHistory : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCapacity = 1000;

    struct SSong
    {
        QDateTime time;
        QString strChannel;
        QString strTitle;
        // "channel - title", as it is copied.
        QString Text() const;
    };

    // strFile empty: "songs.jsonl" in the data folder.
    explicit CSongHistory(const QString& strFile = QString(), QObject* parent = nullptr);
    // Writes what is not written yet.
    ~CSongHistory() override;

    // Reads the file (what it can); a missing file is an empty history.
    void Load();
    // A new song; the same title of the same channel again (a stream repeating its tag) is not one.
    void Add(const QString& strChannel, const QString& strTitle,
             const QDateTime& time = QDateTime::currentDateTime());
    // Oldest first.
    const QList<SSong>& Songs() const { return m_songs; }
    // The newest nCount, newest first.
    QList<SSong> Recent(int nCount) const;
    QString FilePath() const { return m_strFile; }
    // Writes the file now if a song is not in it yet; whether the file holds every song.
    bool Save();
    // Whether the file holds every song: false while a write is due and after a write that failed
    // (LastError says why; the next song tries again).
    bool IsSaved() const { return m_bSaved; }
    QString LastError() const { return m_strError; }

signals:
    void Changed();

private:
    void Append(const SSong& song);

    QString m_strFile;
    QList<SSong> m_songs;
    // Each song's line of the file, made once when the song comes: a new song rewrites a thousand
    // lines, which are copied rather than encoded again (a thousand JSON objects, their strings and
    // dates, at every title a stream sends).
    QList<QByteArray> m_lines;
    bool m_bSaved = true;
    QString m_strError;
    // A short wait before a write, so that a burst of songs is written once.
    QTimer m_saveTimer;
};
