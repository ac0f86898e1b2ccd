// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A live stream fetched by the program itself into a ring on disk, so that it can be paused, played
// from any point still held, and its songs saved after they played. The ICY metadata is taken out of
// the audio; each title is kept with the offset of the audio where it arrived. Only a continuous
// stream is taken on: a playlist, HLS, a web page or an error says NotAStream and the address is
// played directly.
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class CRingFile;
class CIcyReader;
class CFrameClock;
class QNetworkAccessManager;
class QNetworkReply;
class QElapsedTimer;
class QTimer;

class CListenBuffer : public QObject
{
    Q_OBJECT
public:
    struct STitleMark
    {
        qint64 nOffset;
        QString strTitle;
    };
    // Nothing happens before Start().
    CListenBuffer(const QString& strUrl, qint64 nCapacity, const QString& strFolder,
                  QObject* parent = nullptr);
    ~CListenBuffer() override; // aborts the transfer; the ring file goes
    void Start();
    QString Url() const;
    QString ContentType() const;
    std::shared_ptr<CRingFile> Ring() const; // null before Ready
    // Media seconds on the buffer's line (0 = first byte) of a logical offset, and back: the offset
    // of the frame that holds second dSeconds (the nearest cut point at or before it), held to
    // [Ring()->Begin(), Ring()->End()].
    double SecondsAt(qint64 nOffset) const;
    qint64 OffsetAt(double dSeconds) const;
    double StartSeconds() const; // SecondsAt(Begin())
    double LiveSeconds() const;  // SecondsAt(End())
    // Titles, oldest first: the last one that began before Begin() (if any) and every later one.
    QList<STitleMark> Titles() const;
    // The title in force at nOffset ("" when none).
    QString TitleAt(qint64 nOffset) const;
    // Writes [nFrom, nTo) (nTo -1: up to End()) into strPath as it came, cut at frame boundaries;
    // "" when written, else why not.
    QString SaveSpan(qint64 nFrom, qint64 nTo, const QString& strPath) const;
signals:
    void Ready();                         // a continuous stream: its first bytes are in the ring
    void NotAStream();                    // anything else: play the address directly
    void Failed(const QString& strError); // connection lost or refused after Ready
    void Grew();                          // new bytes (at most ~5 times a second)
    void TitlesChanged();

private:
    void Decide();
    void GiveUp();
    void OnReadyRead();
    void OnFinished();
    bool Consume(const char* pData, qint64 nSize);
    bool DropOldTitles();
    void Stop();
    qint64 LastFrameEnd(qint64 nTo) const;
    qint64 FirstFrameIn(qint64 nFrom, qint64 nPoint) const;

    QString m_strUrl;
    qint64 m_nCapacity;
    QString m_strFolder;
    QString m_strContentType;
    QNetworkAccessManager* m_pNetwork = nullptr;
    QPointer<QNetworkReply> m_pReply;
    QTimer* m_pGrewTimer = nullptr;
    std::shared_ptr<CRingFile> m_pRing;
    std::unique_ptr<CIcyReader> m_pIcy;
    std::unique_ptr<CFrameClock> m_pClock;
    std::unique_ptr<QElapsedTimer> m_pElapsed;
    QByteArray m_audio; // one chunk's audio, reused
    QList<STitleMark> m_titles;
    bool m_bDecided = false;
    bool m_bReady = false;
    bool m_bGrewPending = false;
};
