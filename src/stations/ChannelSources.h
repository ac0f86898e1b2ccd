// SPDX-FileCopyrightText: 2026 Vedrix developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Builds the public channel list (stations/PublicChannelList.h) from its sources: the station
// directory, asked once per language group one group after the other, and the seven TV playlists.
// Everything is asynchronous: Start() returns at once, Progress follows each answer, Finished once
// at the end. The list file is written only at the end, in one step: deleting the object (the program
// quits) or Cancel() in the middle leaves the file as it was.
//
// A source that fails keeps what the previous list had of it, so a refresh while one server is down
// loses nothing; the list is written when at least one source answered with channels.
#include "catalogue/ChannelRecord.h"
#include "stations/StationDirectory.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

class CLanguageGroup;
class QNetworkAccessManager;
class QNetworkReply;

class CChannelSources : public QObject
{
    Q_OBJECT
public:
    explicit CChannelSources(QObject* pParent = nullptr);
    ~CChannelSources() override;

    // Asks every source. A build already under way is cancelled first.
    void Start();
    // Ends the build under way without a signal; nothing is written.
    void Cancel();
    bool IsRunning() const { return m_bRunning; }
    // How many answers a build waits for.
    static int SourceCount();

    // Where the list goes (the data folder's public list unless a test says otherwise).
    QString m_strListPath;
    // A TV playlist that does not answer for this long fails.
    int m_nTimeoutMs = 20 * 1000;

signals:
    // After each source's answer (or failure): how many have answered, of how many.
    void Progress(int nAnswered, int nTotal);
    // Once: bWritten when the list file now holds the new list (nChannels channels), false when no
    // source gave a channel (the file is as it was).
    void Finished(bool bWritten, int nChannels);

private:
    void AskDirectory();
    void OnDirectoryAnswer(const CDirectoryStationList* pStations);
    void AskTvLists();
    void OnTvAnswer(int nGroup, QNetworkReply* pReply);
    void Answered();
    void Complete();

    CStationDirectory* m_pDirectory;
    QNetworkAccessManager* m_pNetwork = nullptr;
    QList<QPointer<QNetworkReply>> m_tvReplies;
    // Per group: the channels of its answer, and whether it answered.
    QList<QList<CChannelRecord>> m_radio, m_tv;
    QList<bool> m_radioAnswered, m_tvAnswered;
    int m_nGroup = 0; // the group whose directory answer is awaited
    int m_nAnswered = 0;
    int m_nDirectoryFailures = 0; // in a row
    static constexpr int kDirectoryFailuresToGiveUp = 2;
    bool m_bRunning = false;
};
